#include "office/OfficeBridge.h"

#include "base/Plugins.h"

#include <QDebug>

using namespace Qt::Literals::StringLiterals;

namespace officebridge {

Result<OfficeBridge *> load()
{
    QString problem;
    if (OfficeBridge *bridge
        = plugins::load<OfficeBridge>(QString::fromUtf16(kPluginFile), &problem))
        return bridge;
    qWarning().noquote() << problem;
    return Failure { u"Die Verbindung zu LibreOffice fehlt: Das Zusatzmodul „%1“ im Programmordner "
                     u"fehlt oder lässt sich nicht laden. Es gehört zum Paket „pergolan“; bitte "
                     u"installieren Sie das Paket neu."_s.arg(QString::fromUtf16(kPluginFile)) };
}

} // namespace officebridge
