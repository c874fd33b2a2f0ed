#include "storage/WatchedFile.h"

#include "storage/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    const QDateTime changed = QFileInfo(path).lastModified();
    return QStringLiteral("Die Datei wurde inzwischen von jemand anderem geändert: „%1“, zuletzt "
                          "am %2 um %3 Uhr. „Überschreiben“ ersetzt die andere Fassung durch "
                          "Ihre, „Als neue Datei speichern“ behält beide, „Abbrechen“ speichert "
                          "nichts.")
        .arg(QFileInfo(path).fileName(), changed.toString(QStringLiteral("dd.MM.yyyy")),
             changed.toString(QStringLiteral("HH:mm")));
}

QStringList WatchedFile::answers()
{
    return { QStringLiteral("Überschreiben"), QStringLiteral("Als neue Datei speichern"),
             QStringLiteral("Abbrechen") };
}

Result<SaveOutcome> WatchedFile::save(const QString &path, const QByteArray &bytes,
                                      SaveChoice choice)
{
    switch (choice) {
    case SaveChoice::Cancel:
        return SaveOutcome { SaveOutcome::Status::Cancelled, {}, {} };
    case SaveChoice::AskIfChanged:
        if (changedByOthers(path))
            return SaveOutcome { SaveOutcome::Status::Asks, path, question(path) };
        [[fallthrough]];
    case SaveChoice::Overwrite: {
        if (const Result<> written = safewrite::writeWhole(path, bytes); !written)
            return written.failure();
        remember(path, bytes);
        return SaveOutcome { SaveOutcome::Status::Saved, path, {} };
    }
    case SaveChoice::SaveAsNew:
        break;
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
