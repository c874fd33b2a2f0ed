#pragma once

#include <QtPlugin>

class QUrl;
class QWidget;

// What the web-view plugin offers the window: it makes the views and empties their cache. The
// window knows the web engine only through this interface, so that it is loaded the first time
// a view is needed and not with the program.
class WebViewFactory
{
public:
    virtual ~WebViewFactory() = default;

    // A new web view (a QWebEngineView) as child of parent.
    virtual QWidget *create(QWidget *parent) = 0;
    // Opens the address in a view this factory made.
    virtual void navigate(QWidget *view, const QUrl &url) = 0;
    // Empties the view's own HTTP cache (the program's profile only).
    virtual void clearCache(QWidget *view) = 0;
};

#define PERGOLAN_WEBVIEWFACTORY_IID "example.pergolan.WebViewFactory/1.1"
Q_DECLARE_INTERFACE(WebViewFactory, PERGOLAN_WEBVIEWFACTORY_IID)
