#include "gui/WebView.h"

#include "base/Plugins.h"
#include "gui/WebViewFactory.h"

#include <QWidget>

namespace webview {
namespace {

const QString kPluginFile = QStringLiteral("libpergolan_webview.so");

// The plugin lies in the program folder beside the executable (never in the per-user
// overlay: no code is taken from there). Loaded on first use; once loaded it stays.
WebViewFactory *factory(QString *problem = nullptr)
{
    return plugins::load<WebViewFactory>(kPluginFile, problem);
}

} // namespace

Result<QWidget *> create(QWidget *parent)
{
    QString problem;
    WebViewFactory *plugin = factory(&problem);
    if (!plugin)
        return Failure { QStringLiteral("Die Online-Ansicht der Bibelstellen kann nicht geladen "
                                        "werden: %1")
                             .arg(problem) };
    return plugin->create(parent);
}

void navigate(QWidget *view, const QUrl &url)
{
    if (!view)
        return;
    if (WebViewFactory *plugin = factory())
        plugin->navigate(view, url);
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
