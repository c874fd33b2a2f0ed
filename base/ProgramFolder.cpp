#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace programfolder {
namespace {

QString &testDir()
{
    static QString value;
    return value;
}

bool &readOnlyForTesting()
{
    static bool value = false;
    return value;
}

// Whether a file can be created in the folder. As root, permission bits say nothing, so the
// question is answered by trying.
bool canWriteInto(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.pergolan-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString dir()
{
    if (!testDir().isEmpty())
        return testDir();
    return QCoreApplication::applicationDirPath();
}

QString overlayDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/programm");
}

QString readPath(const QString &relative)
{
    const QString overlay = overlayDir() + u'/' + relative;
    if (QFileInfo::exists(overlay))
        return overlay;
    return dir() + u'/' + relative;
}

QString writePath(const QString &relative)
{
    const QString inProgram = dir() + u'/' + relative;
    const QString overlay = overlayDir() + u'/' + relative;
    // A file once redirected to the overlay stays there, so reading and writing agree.
    if (!QFileInfo::exists(overlay) && !readOnlyForTesting() && !installedSystemWide(dir())
        && canWriteInto(QFileInfo(inProgram).absolutePath()))
        return inProgram;
    if (canWriteInto(QFileInfo(overlay).absolutePath()))
        return overlay;
    return {};
}

bool installedSystemWide(const QString &folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return clean == QStringLiteral("/usr") || clean.startsWith(QStringLiteral("/usr/"));
}

void setDirForTesting(const QString &path)
{
    testDir() = path;
}

void setReadOnlyForTesting(bool readOnly)
{
    readOnlyForTesting() = readOnly;
}

} // namespace programfolder
