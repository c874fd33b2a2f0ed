#include "storage/WatchedFile.h"

#include "storage/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString cleanPath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QByteArray hashOf(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

} // namespace

WatchedFile::WatchedFile(qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
}

void WatchedFile::remember(const QString &path, const QByteArray &content)
{
    const QFileInfo info(path);
    m_stamp = { cleanPath(path), content.size(), info.lastModified(), hashOf(content) };
}

Result<QByteArray> WatchedFile::read(const QString &path)
{
    const Result<QByteArray> bytes = boundedfile::read(path, m_maxBytes);
    if (bytes)
        remember(path, *bytes);
    return bytes;
}

void WatchedFile::watchAbsent(const QString &path)
{
    if (path.isEmpty()) {
        m_stamp = {};
        return;
    }
    if (QFileInfo::exists(path)) {
        if (!read(path))
            m_stamp = {};
        return;
    }
    // Size -1: any file found there later is somebody else's.
    m_stamp = { cleanPath(path), -1, {}, {} };
}

bool WatchedFile::changedByOthers(const QString &path) const
{
    if (m_stamp.path.isEmpty() || cleanPath(path) != m_stamp.path)
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // A different size needs no reading; the same size and time may still hide another
    // content (a coarse clock on a network drive), so the content decides.
    if (info.size() != m_stamp.size)
        return true;
    const Result<QByteArray> now = boundedfile::read(path, m_maxBytes);
    // A file that can no longer be read may hold anything: better to ask.
    return !now || hashOf(*now) != m_stamp.hash;
}

QString WatchedFile::question(const QString &path) const
{
    const QFileInfo info(path);
    const QDateTime changed = info.lastModified();
    // Who saved it, where the file tells: its owner, when that is another account.
    QString who;
#ifdef Q_OS_UNIX
    if (info.ownerId() != ::geteuid() && !info.owner().isEmpty())
        who = QStringLiteral(" von „%1“").arg(info.owner());
#endif
    return QStringLiteral(
               "Die Datei wurde inzwischen von jemand anderem geändert: „%1“, zuletzt "
               "gespeichert am %2 um %3 Uhr%4. „Als neue Datei speichern“ behält beide "
               "Fassungen, „Überschreiben“ ersetzt die andere Fassung durch Ihre und legt "
               "sie im Ordner „Archiv“ ab, „Abbrechen“ speichert nichts.")
        .arg(info.fileName(), changed.toString(QStringLiteral("dd.MM.yyyy")),
             changed.toString(QStringLiteral("HH:mm:ss")), who);
}

QStringList WatchedFile::answers()
{
    return { QStringLiteral("Als neue Datei speichern"), QStringLiteral("Überschreiben"),
             QStringLiteral("Abbrechen") };
}

namespace {

// Keeps the version now under path in its archive under a name no other file has, with the
// time it was saved; the kept copy carries that time too.
Result<> keepInArchive(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    const QDateTime saved = info.lastModified();
    const Result<QByteArray> bytes = boundedfile::read(path, maxBytes);
    if (!bytes)
        return Failure { QStringLiteral("Die andere Fassung %1 kann nicht gelesen und deshalb "
                                        "nicht aufbewahrt werden; es wurde nichts gespeichert.")
                             .arg(QDir::toNativeSeparators(path)) };
    const QString folder = archiveFolderFor(path);
    if (!QDir().mkpath(folder))
        return Failure { QStringLiteral("Der Ordner %1 kann nicht angelegt werden; es wurde "
                                        "nichts gespeichert.")
                             .arg(QDir::toNativeSeparators(folder)) };
    const QString name = QDir(folder).filePath(keptName(path, saved));
    for (int attempt = 0; attempt < 1000; ++attempt) {
        // Another process may keep a copy in the same second: then the next free name.
        const QString candidate = attempt == 0 ? name : freeNameBeside(name);
        const Result<> written
            = safewrite::writeWhole(candidate, *bytes, safewrite::systemRenames(), false);
        if (written) {
            QFile copy(candidate);
            if (copy.open(QIODevice::ReadWrite))
                copy.setFileTime(saved, QFileDevice::FileModificationTime);
            return {};
        }
        if (!QFileInfo::exists(candidate))
            return Failure { written.error() + QStringLiteral(" Es wurde nichts gespeichert.") };
    }
    return Failure { QStringLiteral("Im Ordner %1 ist kein freier Name zu finden.")
                         .arg(QDir::toNativeSeparators(folder)) };
}

// The lock file of a save: taken over when the process that left it has ended (or, on another
// computer, after a while without a sign of it).
constexpr int kLockWaitMs = 15000;
constexpr int kStaleLockMs = 30000;

} // namespace

Result<SaveOutcome> WatchedFile::save(const QString &path, const QByteArray &bytes,
                                      SaveChoice choice,
                                      const std::function<Result<>()> &beforeWriting)
{
    if (choice == SaveChoice::Cancel)
        return SaveOutcome { SaveOutcome::Status::Cancelled, {}, {} };

    QLockFile lock(lockPathFor(path));
    lock.setStaleLockTime(kStaleLockMs);
    // A folder that takes no lock file takes no preparation either: the writing below says why.
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError)
        return Failure {
            QStringLiteral("Die Datei %1 wird gerade von jemand anderem gespeichert (die "
                           "Sperrdatei %2 ist belegt). Bitte versuchen Sie es gleich noch einmal.")
                .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(lockPathFor(path)))
        };

    const bool changed = changedByOthers(path);
    if (choice == SaveChoice::AskIfChanged && changed)
        return SaveOutcome { SaveOutcome::Status::Asks, path, question(path) };
    if (choice == SaveChoice::Overwrite && changed)
        if (const Result<> kept = keepInArchive(path, m_maxBytes); !kept)
            return kept.failure();
    if (beforeWriting)
        if (const Result<> ready = beforeWriting(); !ready)
            return ready.failure();

    if (choice != SaveChoice::SaveAsNew) {
        if (const Result<> written = safewrite::writeWhole(path, bytes); !written)
            return written.failure();
        remember(path, bytes);
        return SaveOutcome { SaveOutcome::Status::Saved, path, {} };
    }
    // Another writer may take the free name in the meantime; then the next one.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString fresh = freeNameBeside(path);
        const Result<> written
            = safewrite::writeWhole(fresh, bytes, safewrite::systemRenames(), false);
        if (written) {
            remember(fresh, bytes);
            return SaveOutcome { SaveOutcome::Status::Saved, fresh, {} };
        }
        if (!QFileInfo::exists(fresh))
            return written.failure();
    }
    return Failure { QStringLiteral("Neben der Datei %1 ist kein freier Name zu finden.")
                         .arg(QDir::toNativeSeparators(path)) };
}

QString freeNameBeside(const QString &path)
{
    const QFileInfo info(path);
    QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    // A name that already is a second version counts on from its number.
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\((\\d{1,6})\\)$"));
    int number = 2;
    if (const QRegularExpressionMatch m = numbered.match(base); m.hasMatch()) {
        base = m.captured(1);
        number = m.captured(2).toInt() + 1;
    }
    for (;; ++number) {
        const QString candidate = info.dir().filePath(
            QStringLiteral("%1 (%2)%3").arg(base, QString::number(number), suffix));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString archiveFolderFor(const QString &path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    return folder.dirName() == QStringLiteral("Archiv") ? folder.path()
                                                        : folder.filePath(QStringLiteral("Archiv"));
}

QString keptName(const QString &path, const QDateTime &saved)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return info.completeBaseName() + u' ' + saved.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"))
        + suffix;
}

QString lockPathFor(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteDir().filePath(u'.' + info.fileName() + QStringLiteral(".lock"));
}
