#include "gui/WebView.h"

#include "base/ProgramFolder.h"
#include "gui/WebViewFactory.h"

#include <QPluginLoader>
#include <QWidget>

namespace webview {
namespace {

struct Plugin
{
    WebViewFactory *factory = nullptr;
    QString error; // why it could not be loaded
};

// The plugin lies in the program folder beside the executable (never in the per-user
// overlay: no code is taken from there). Loaded on first use, once; loaded, it stays.
const Plugin &plugin()
{
    static const Plugin loaded = [] {
        Plugin p;
        QPluginLoader loader(programfolder::dir() + QStringLiteral("/libpergolan_webview.so"));
        p.factory = qobject_cast<WebViewFactory *>(loader.instance());
        if (!p.factory)
            p.error = QStringLiteral("Die Online-Ansicht der Bibelstellen kann nicht geladen "
                                     "werden: %1")
                          .arg(loader.errorString());
        return p;
    }();
    return loaded;
}

} // namespace

Result<QWidget *> create(QWidget *parent)
{
    const Plugin &p = plugin();
    if (!p.factory)
        return Failure { p.error };
    return p.factory->create(parent);
}

void navigate(QWidget *view, const QUrl &url)
{
    if (view && plugin().factory)
        plugin().factory->navigate(view, url);
}

void clearCache(QWidget *view)
{
    if (view && plugin().factory)
        plugin().factory->clearCache(view);
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
