#pragma once

#include "base/Result.h"
#include "storage/BoundedFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// A file in a data folder that two people share (a network drive, a synchronised folder): what
// this program last read from it or wrote to it, so that saving over it first notices when
// somebody else changed it in between, and asks instead of losing their version.
//
// The flow of saving: save(path, bytes) writes at once when the file is as it was read (or is
// new, or gone); otherwise it writes nothing and returns Asks with the question. The caller
// shows the question with answers() and calls save again with the answer.
//
// Checking and writing are one step against other processes, also on a network folder: each
// save holds a lock file beside the file (hidden, ".<name>.lock") while it looks and writes; a
// lock left behind by a process that ended without removing it is taken over. No version is
// lost: "Überschreiben" first keeps the other person's version in the folder's "Archiv" under a
// name with its date and time, and a kept copy or a new version never takes a name another
// process took in the same moment.

// What was known of a file when it was last read or written.
struct FileStamp
{
    QString path; // absolute and clean; empty for no file
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash; // SHA-256 of the content read or written
};

enum class SaveChoice {
    AskIfChanged, // save unless somebody else changed the file, then ask
    SaveAsNew, // "Als neue Datei speichern": keep both, this one under a free name beside it
    Overwrite, // "Überschreiben": keep the other version in "Archiv", then write this one
    Cancel, // "Abbrechen": write nothing
};

struct SaveOutcome
{
    enum class Status { Saved, Asks, Cancelled };
    Status status = Status::Saved;
    QString path; // the file written (Saved), or the file in question (Asks)
    QString question; // Asks: the question to put, beginning "Die Datei wurde inzwischen ..."
};

class WatchedFile
{
public:
    explicit WatchedFile(qint64 maxBytes = boundedfile::kServiceOrderLimit);

    // Reads the whole file (as boundedfile::read does) and remembers it.
    Result<QByteArray> read(const QString &path);

    // Saves bytes under path as `choice` says; after a save this object watches the file
    // written. beforeWriting, when given, runs within the same step just before the file is
    // written (under the lock, after the check); its failure writes nothing. Fails (German, the
    // earlier file kept) when the file cannot be written or the lock not be had.
    Result<SaveOutcome> save(const QString &path, const QByteArray &bytes,
                             SaveChoice choice = SaveChoice::AskIfChanged,
                             const std::function<Result<>()> &beforeWriting = {});

    // Whether the file under path is the watched one and somebody else changed its content
    // since it was read or written (a file that is gone counts as unchanged: nothing is lost).
    bool changedByOthers(const QString &path) const;

    // The question for a file changed by somebody else.
    QString question(const QString &path) const;

    // The answers in the order of SaveChoice's last three values: the first, which loses
    // nothing, is the default (Enter), the last the one Escape gives.
    static QStringList answers();

    // Watches a file that does not exist yet, such as the file of a day nobody has saved: when
    // somebody else creates it in the meantime, saving under that name asks as well. A file
    // already there is read and watched as read() does.
    void watchAbsent(const QString &path);

    const FileStamp &stamp() const { return m_stamp; }
    void forget() { m_stamp = {}; }

private:
    void remember(const QString &path, const QByteArray &content);

    qint64 m_maxBytes;
    FileStamp m_stamp;
};

// A name beside path that no file has and that keeps the day's naming, so that the history
// lists it with the day: "3 Ostersonntag.ini" gives "3 Ostersonntag (2).ini", then (3), ...
QString freeNameBeside(const QString &path);

// The folder where versions replaced in path's folder are kept: its "Archiv", or the folder
// itself when it is an "Archiv".
QString archiveFolderFor(const QString &path);

// The name under which a version of path saved at `saved` is kept in the archive:
// "3 Ostersonntag 2026-04-05 10-22-03.ini".
QString keptName(const QString &path, const QDateTime &saved);

// The lock file guarding saves of path: ".<name>.lock" beside it.
QString lockPathFor(const QString &path);
