#include "storage/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h> // AT_FDCWD
#endif

namespace safewrite {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A name beside path that no file has, hidden and never ending in ".ini", so that neither the
// history nor a file dialog lists a file left over after a crash.
QString freeSideName(const QString &path, const QString &kind)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = info.dir().filePath(
            u'.' + info.fileName() + u'.' + kind + u'-'
            + QString::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16));
        if (!QFileInfo::exists(name))
            return name;
    }
    return {};
}

// Writes bytes into a new file beside path; its name, or the failure.
Result<QString> writeBeside(const QString &path, const QByteArray &bytes)
{
    const auto failed = [&](const QString &why) {
        return Failure { QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                             .arg(QFileInfo(path).fileName(), why) };
    };
    const QString name = freeSideName(path, QStringLiteral("neu"));
    QFile file(name);
    // A new file gets the permissions a new file of the user gets, as the target would.
    if (name.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failed(file.errorString());
    bool ok = file.write(bytes) == bytes.size() && file.flush();
#ifdef Q_OS_UNIX
    // On the disk before it takes the target's name, so that a crash leaves the earlier file.
    ok = ok && ::fsync(file.handle()) == 0;
#endif
    const QString error = file.errorString();
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    const QFileInfo target(path);
    if (ok && target.exists())
        file.setPermissions(target.permissions());
    if (!ok) {
        QFile::remove(name);
        return failed(error);
    }
    return name;
}

} // namespace

const Renames &systemRenames()
{
    static const Renames renames {
        [](const QString &from, const QString &to) {
            return std::rename(QFile::encodeName(from).constData(),
                               QFile::encodeName(to).constData())
                == 0;
        },
        [](const QString &from, const QString &to) {
            const QByteArray source = QFile::encodeName(from);
            const QByteArray target = QFile::encodeName(to);
#ifdef Q_OS_LINUX
            // Never over a file that appeared meanwhile. (QFile::rename is no help here: where
            // renaming fails it copies, and a copy cut short is half a file.)
            if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                            RENAME_NOREPLACE)
                == 0)
                return true;
            if (errno != EINVAL && errno != ENOSYS)
                return false;
#endif
            // Where the file system knows no such rename: look first, then rename.
            return !QFileInfo::exists(to)
                && std::rename(source.constData(), target.constData()) == 0;
        },
    };
    return renames;
}

Result<> writeWhole(const QString &path, const QByteArray &bytes, const Renames &renames,
                    bool replaceExisting)
{
    const Result<QString> written = writeBeside(path, bytes);
    if (!written)
        return written.failure();
    const QString &fresh = *written;

    if (!replaceExisting) {
        if (renames.toFreeName(fresh, path))
            return {};
        QFile::remove(fresh);
        return Failure { QStringLiteral("Die Datei %1 kann nicht angelegt werden; es gibt sie "
                                        "schon oder der Ordner lässt es nicht zu.")
                             .arg(shown(path)) };
    }
    if (renames.replacing(fresh, path))
        return {};
    const auto keptEarlier = [&] {
        QFile::remove(fresh);
        return Failure { QStringLiteral("Die Datei %1 kann in diesem Ordner nicht sicher ersetzt "
                                        "werden. Die bisherige Datei bleibt unverändert.")
                             .arg(shown(path)) };
    };
    if (!QFileInfo::exists(path)) {
        // Nothing to replace: the new file just takes its name.
        if (renames.toFreeName(fresh, path))
            return {};
        QFile::remove(fresh);
        return Failure {
            QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(shown(path))
        };
    }

    // The folder does not rename over an existing file: the earlier file steps aside first.
    const QString earlier = freeSideName(path, QStringLiteral("alt"));
    if (earlier.isEmpty() || !renames.toFreeName(path, earlier))
        return keptEarlier();
    if (!renames.toFreeName(fresh, path)) {
        if (renames.toFreeName(earlier, path))
            return keptEarlier();
        return Failure { QStringLiteral("Die Datei %1 konnte nicht ersetzt werden. Die bisherige "
                                        "Fassung liegt jetzt unter %2, die neue unter %3.")
                             .arg(shown(path), shown(earlier), shown(fresh)) };
    }
    // The new file is in place; a leftover earlier one is hidden and harmless.
    QFile::remove(earlier);
    return {};
}

} // namespace safewrite
