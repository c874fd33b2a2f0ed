#include "storage/ProgramSettings.h"

#include "base/ProgramFolder.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace programsettings {

namespace {

const QString kLieder = QStringLiteral("Lieder");
const QString kWeeks = QStringLiteral("WiederholungWochen");

// The settings kept so far; empty when there are none or they cannot be read.
IniFile current()
{
    const QString path = programfolder::readPath(relativePath());
    if (!QFileInfo::exists(path))
        return {};
    const Result<IniFile> ini = IniFile::read(path, boundedfile::kTextLimit);
    return ini ? *ini : IniFile();
}

} // namespace

QString relativePath()
{
    return QStringLiteral("libs/Einstellungen.ini");
}

int repeatWeeks()
{
    const int weeks = current().intValue(kLieder, kWeeks, kDefaultRepeatWeeks);
    return weeks >= kMinRepeatWeeks && weeks <= kMaxRepeatWeeks ? weeks : kDefaultRepeatWeeks;
}

Result<> setRepeatWeeks(int weeks)
{
    IniFile ini = current();
    ini.setValue(kLieder, kWeeks,
                 QString::number(std::clamp(weeks, kMinRepeatWeeks, kMaxRepeatWeeks)));
    const QString path = programfolder::writePath(relativePath());
    if (path.isEmpty())
        return Failure { QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                             .arg(QDir::toNativeSeparators(programfolder::dir() + u'/'
                                                           + relativePath())) };
    return ini.save(path);
}

} // namespace programsettings
