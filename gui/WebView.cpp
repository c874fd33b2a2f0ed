#include "gui/WebView.h"

#include "libpergol/pergol.h"

#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

#include <dlfcn.h>

namespace webview {
namespace {

using CreateFunction = QWidget *(*)(QWidget *);
using ClearCacheFunction = void (*)(QWidget *);

// The plugin lies in the program folder beside libpergol.so, which the program always finds
// (it does not start without it); asking the loader where that library came from also works
// for the test and benchmark programs, which live elsewhere.
QString pluginPath()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void *>(&getFarbe), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath()
            + QStringLiteral("/libpergolan_webview.so");
    return {};
}

QLibrary &plugin()
{
    static QLibrary library(pluginPath());
    if (!library.isLoaded())
        library.load();
    return library;
}

} // namespace

QWidget *create(QWidget *parent)
{
    const auto make = reinterpret_cast<CreateFunction>(plugin().resolve("pergolan_webview_create"));
    return make ? make(parent) : nullptr;
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
    const auto clear
        = reinterpret_cast<ClearCacheFunction>(plugin().resolve("pergolan_webview_clear_cache"));
    if (clear)
        clear(view);
}

} // namespace webview
