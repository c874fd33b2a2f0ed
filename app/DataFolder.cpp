#include "app/DataFolder.h"

#include "app/AppError.h"
#include "app/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace datafolder {
namespace {

void makeFolder(const QString &folder)
{
    if (QDir(folder).exists())
        return;
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                           .arg(QDir::toNativeSeparators(folder)));
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

void EnterDataFolder()
{
    const QString documents = documentsDir();
    if (documents.isEmpty())
        return;
    const QString data = path();
    makeFolder(data);
    QDir::setCurrent(QDir(data).exists() ? data : documents);
}

void PrepareSeriesFolders()
{
    EnterDataFolder();
    const QString base = QDir::currentPath();
    for (int n = 1; n <= datapaths::kSeriesCount; ++n) {
        const QString series = datapaths::seriesFolder(base, QString::number(n));
        makeFolder(series);
        makeFolder(series + QStringLiteral("/Predigten"));
        makeFolder(series + QStringLiteral("/Archiv"));

        const QDir archive(series + QStringLiteral("/Archiv"));
        if (!iniFilesIn(archive).isEmpty())
            continue;
        for (const QString &name : iniFilesIn(QDir(series)))
            QFile::rename(series + u'/' + name, archive.filePath(name)); // a failure is skipped
    }
}

} // namespace datafolder
