#include "office/OfficeBridge.h"

#include "base/Plugins.h"

#include <QDebug>
#include <QLibrary>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace officebridge {
namespace {

// The plugin names the office's UNO runtime libraries without a search path of its own (a
// package's library must not point the loader into another package's folder). Those libraries
// find their own companions only beside themselves, in the office's program folder: loaded
// from there first, they are the ones the plugin then gets. Should one of them fail to load,
// loading the plugin says why.
void loadUnoRuntime()
{
    for (const char *name : { "libuno_sal.so.3", "libuno_salhelpergcc3.so.3", "libuno_cppu.so.3",
                              "libuno_cppuhelpergcc3.so.3" }) {
        QLibrary library(QStringLiteral(PERGOLAN_OFFICE_PROGRAM_DIR "/") + QLatin1StringView(name));
        if (!library.load())
            return;
    }
}

} // namespace

Result<OfficeBridge *> load()
{
    // UNO talks to the office over a pipe: should the office end while a document is being
    // written, the next write must fail as an error the export reports, not end the program
    // with SIGPIPE and lose the pastor's unsaved work.
    std::signal(SIGPIPE, SIG_IGN);
    loadUnoRuntime();
    QString problem;
    if (OfficeBridge *bridge
        = plugins::load<OfficeBridge>(QString::fromUtf16(kPluginFile), &problem))
        return bridge;
    qWarning().noquote() << problem;
    return Failure { u"Die Verbindung zu LibreOffice fehlt: Das Zusatzmodul „%1“ im Programmordner "
                     u"fehlt oder lässt sich nicht laden. Es gehört zum Paket „pergolan-office“; "
                     u"bitte installieren Sie dieses Paket."_s.arg(
                         QString::fromUtf16(kPluginFile)) };
}

} // namespace officebridge
