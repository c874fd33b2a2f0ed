// The plugin with the web engine, loaded by webview::create the first time a passage is shown
// online.
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

extern "C" {

__attribute__((visibility("default"))) QWidget *pergolan_webview_create(QWidget *parent)
{
    return new QWebEngineView(parent);
}

__attribute__((visibility("default"))) void pergolan_webview_clear_cache(QWidget *view)
{
    if (auto *web = qobject_cast<QWebEngineView *>(view))
        web->page()->profile()->clearHttpCache();
}

} // extern "C"
