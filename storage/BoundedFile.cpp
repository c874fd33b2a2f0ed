#include "storage/BoundedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace boundedfile {
namespace {

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("Die Datei ist größer als %1 KiB.").arg(maxBytes / 1024);
}

QString cannotRead(const QString &path, const QString &why)
{
    return QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
        .arg(QDir::toNativeSeparators(path), why);
}

} // namespace

QString problem(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path); // follows links
    if (!info.exists())
        return QStringLiteral("Die Datei gibt es nicht.");
    if (!info.isFile())
        return QStringLiteral("Das ist keine gewöhnliche Datei.");
    if (info.size() > maxBytes)
        return tooLarge(maxBytes);
    return {};
}

Result<QByteArray> read(const QString &path, qint64 maxBytes)
{
    const auto fail = [&](const QString &why) -> Result<QByteArray> {
        return Failure { cannotRead(path, why) };
    };
    if (const QString why = problem(path, maxBytes); !why.isEmpty())
        return fail(why);

    QFile file;
#ifdef Q_OS_UNIX
    // The file may have been swapped for a pipe since the check: opening without blocking
    // and looking again at what was opened closes that gap.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(strerror(errno)));
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("Das ist keine gewöhnliche Datei."));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
#endif

    // Read in pieces up to one byte past the limit: a file that grew since the check is
    // caught without ever holding more than that.
    QByteArray bytes;
    bytes.reserve(qMin(file.size(), maxBytes) + 1);
    constexpr qint64 kPiece = 64 * 1024;
    while (bytes.size() <= maxBytes) {
        const QByteArray piece = file.read(qMin(kPiece, maxBytes + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError)
            return fail(file.errorString());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (bytes.size() > maxBytes)
        return fail(tooLarge(maxBytes));
    return bytes;
}

} // namespace boundedfile
