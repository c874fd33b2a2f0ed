#include "gui/WebView.h"

#include "base/Plugins.h"
#include "gui/WebViewFactory.h"

#include <QCoreApplication>
#include <QDebug>
#include <QOpenGLContext>
#include <QWidget>

// Qt's context that every OpenGL context of the program shares, exported by QtGui and declared
// in its private headers (the web engine of Qt 5 set it the same way).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();

namespace webview {
namespace {

const QString kPluginFile = QStringLiteral("libpergolan_webview.so");

// The web engine draws with OpenGL contexts that share with the program's, and wants the
// shared context to exist when it is loaded. Asked for before the application object exists
// (Qt::AA_ShareOpenGLContexts), Qt makes that context at every start, which loads the whole
// OpenGL stack of the system (tens of megabytes, some 60 ms with a software renderer) for a
// view most starts never show. It is made here instead, just before the engine is loaded, as
// Qt makes it: with the default format, kept even where no OpenGL is available.
void shareOpenGLContexts()
{
    if (qt_gl_global_share_context())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// The plugin lies in the program folder beside the executable (never in the per-user
// overlay: no code is taken from there). Loaded on first use; once loaded it stays.
WebViewFactory *factory(QString *problem = nullptr)
{
    shareOpenGLContexts();
    return plugins::load<WebViewFactory>(kPluginFile, problem);
}

} // namespace

Result<QWidget *> create(QWidget *parent)
{
    QString problem;
    WebViewFactory *plugin = factory(&problem);
    if (!plugin) {
        qWarning().noquote() << problem;
        return Failure { QStringLiteral("Die Online-Ansicht der Bibelstellen kann nicht geladen "
                                        "werden: Das Zusatzmodul „%1“ im Programmordner fehlt "
                                        "oder lässt sich nicht laden. Es gehört zum Paket "
                                        "„pergolan-webview“; bitte installieren Sie dieses Paket.")
                             .arg(kPluginFile) };
    }
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
