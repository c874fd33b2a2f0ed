#include "gui/WebView.h"

#include "base/Plugins.h"
#include "gui/WebViewFactory.h"

#include <QWidget>

namespace webview {
namespace {

// The plugin lies in the program folder beside the executable (never in the per-user
// overlay: no code is taken from there). Loaded on first use; once loaded it stays.
WebViewFactory *factory()
{
    return plugins::load<WebViewFactory>(QStringLiteral("libpergolan_webview.so"));
}

} // namespace

QWidget *create(QWidget *parent)
{
    WebViewFactory *plugin = factory();
    return plugin ? plugin->create(parent) : nullptr;
}

void navigate(QWidget *view, const QUrl &url)
{
    if (view)
        view->setProperty("url", url);
}

void clearCache(QWidget *view)
{
    if (!view)
        return;
    if (WebViewFactory *plugin = factory())
        plugin->clearCache(view);
}

} // namespace webview

namespace webview {

QString allowRunningAsRoot(unsigned effectiveUser)
{
    if (effectiveUser != 0)
        return {};
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return QStringLiteral("Pergolan läuft als root: Die Webansicht der Bibelstellen läuft "
                          "daher ohne ihre Sandbox.");
}

} // namespace webview
