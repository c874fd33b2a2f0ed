#include "storage/OrderSettingsFile.h"

#include "base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ordersettings {

QString relativePath()
{
    return QStringLiteral("libs/Ablauf.ini");
}

IniFile toIni(const OrderSettings &settings)
{
    IniFile ini;
    ini.setValue(QStringLiteral("Format"), QStringLiteral("Seitenformat"),
                 QString::number(settings.pageFormat));
    serviceorder::writeBasicForm(ini, settings.basicForm, settings.adjusted);
    serviceorder::writeTicks(ini, settings.ticks);
    serviceorder::writeSequence(ini, settings.sequence);
    return ini;
}

Result<> save(const OrderSettings &settings)
{
    // Nothing in the program writes "Ablauf.txt"; an old one is cleared away with every save.
    // A copy that cannot be deleted (write-protected folder) does no harm.
    const QString oldText = programfolder::readPath(QStringLiteral("libs/Ablauf.txt"));
    if (QFileInfo::exists(oldText))
        QFile::remove(oldText);

    const QString path = programfolder::writePath(relativePath());
    if (path.isEmpty())
        return Failure { QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                             .arg(QDir::toNativeSeparators(programfolder::dir() + u'/'
                                                           + relativePath())) };
    return serviceorder::writeFile(path, toIni(settings));
}

QString existingPath()
{
    const QString path = programfolder::readPath(relativePath());
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace ordersettings
