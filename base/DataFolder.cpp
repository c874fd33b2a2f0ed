#include "base/DataFolder.h"

#include "base/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace datafolder {
namespace {

Result<> makeFolder(const QString &folder)
{
    if (QDir(folder).exists() || QDir().mkpath(folder))
        return {};
    return Failure { QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                         .arg(QDir::toNativeSeparators(folder)) };
}

QStringList iniFilesIn(const QDir &folder)
{
    return folder.entryList({ QStringLiteral("*.ini") }, QDir::Files | QDir::Hidden);
}

} // namespace

QString documentsDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString path()
{
    return documentsDir() + QStringLiteral("/Pergol");
}

Result<QString> EnterDataFolder()
{
    if (documentsDir().isEmpty())
        return QDir::currentPath();
    const QString data = path();
    if (const Result<> made = makeFolder(data); !made)
        return Failure { made.error() };
    return data;
}

Result<> PrepareSeriesFolders()
{
    const Result<QString> data = EnterDataFolder();
    if (!data)
        return Failure { data.error() };
    for (int n = 1; n <= datapaths::kSeriesCount; ++n) {
        // Always a series folder: the numbers are the series'.
        const QString series = datapaths::seriesFolder(*data, QString::number(n)).value();
        const QString archive = series + QStringLiteral("/Archiv");
        // The archive move puts away the service orders saved before archive folders
        // existed, so it runs only at the start that makes the archive. An archive that
        // exists, empty or not, never causes a move: a new user's first saved day stays.
        const bool archiveIsNew = !QFileInfo(archive).isDir();
        for (const QString &folder : { series, series + QStringLiteral("/Predigten"), archive }) {
            if (const Result<> made = makeFolder(folder); !made)
                return made;
        }
        if (!archiveIsNew)
            continue;
        for (const QString &name : iniFilesIn(QDir(series)))
            QFile::rename(series + u'/' + name, archive + u'/' + name); // a failure is skipped
    }
    return {};
}

} // namespace datafolder
