// The plugin with the web engine, loaded through QPluginLoader the first time a passage is
// shown online.
#include "gui/WebViewFactory.h"

#include <QObject>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace Qt::Literals::StringLiterals;

namespace {

// The engine's "net::ERR_ABORTED": a load replaced by the next one, not a failure to show.
constexpr int kLoadAborted = -3;

// Our own German page for an address that could not be loaded, instead of the engine's English
// one.
QString unreachablePage(const QUrl &address)
{
    const QString shown = address.toDisplayString().toHtmlEscaped();
    return u"<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\">"
           u"<title>Seite nicht erreichbar</title></head>"
           u"<body style=\"font-family: sans-serif; margin: 1em;\">"
           u"<h3>Die Online-Bibel ist nicht erreichbar</h3>"
           u"<p>Die Seite <b>%1</b> konnte nicht geladen werden. Vielleicht besteht gerade keine "
           u"Verbindung zum Internet.</p>"
           u"<p>Der Bibeltext oben (offline) bleibt nutzbar.</p></body></html>"_s.arg(shown);
}

} // namespace

class WebEngineViewFactory : public QObject, public WebViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PERGOLAN_WEBVIEWFACTORY_IID)
    Q_INTERFACES(WebViewFactory)

public:
    QWidget *create(QWidget *parent) override
    {
        auto *view = new QWebEngineView(parent);
        QWebEnginePage *page = view->page();
        // The engine's own pages and the requests to the service ask for German.
        page->profile()->setHttpAcceptLanguage(u"de"_s);
        QObject::connect(
            page, &QWebEnginePage::loadingChanged, view, [page](const QWebEngineLoadingInfo &info) {
                // Our page is loaded from a data: address; its own loading never
                // leads here again.
                if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus
                    || info.errorCode() == kLoadAborted || info.url().scheme() == u"data"_s)
                    return;
                page->setHtml(unreachablePage(info.url()));
            });
        return view;
    }

    void navigate(QWidget *view, const QUrl &url) override
    {
        if (auto *web = qobject_cast<QWebEngineView *>(view))
            web->setUrl(url);
    }

    void clearCache(QWidget *view) override
    {
        if (auto *web = qobject_cast<QWebEngineView *>(view))
            web->page()->profile()->clearHttpCache();
    }
};

#include "WebViewPlugin.moc"
