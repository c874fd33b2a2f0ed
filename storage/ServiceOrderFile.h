#pragma once

#include "base/Result.h"
#include "storage/IniFile.h"
#include "storage/Preparation.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The service-order file: everything the user put together for one service (day, propers,
// hymns, occasional services, page format, sequence) as an INI file in Windows-1252 with
// CR LF. This file knows the layout of the file; the main window moves the values in and
// out of its controls.
namespace serviceorder {

// A list entry whose key is missing from the file.
QString missingEntryText();

// The message for a service-order file that cannot be read or whose values make no sense.
QString damagedFileMessage();

// The most entries a stored sequence may claim. A real service has a few dozen; a larger
// count can only come from a damaged file and would otherwise fill the list with millions
// of "Datei beschädigt" entries.
inline constexpr int kMaxSequenceEntries = 10000;

// A service-order file larger than this cannot be one the program wrote (even a list of the
// largest allowed count stays far below); it is refused instead of being read into memory.
inline constexpr qint64 kMaxFileSize = boundedfile::kServiceOrderLimit;

// The file name the save dialog proposes and under which a day's preparation is found
// again: series, blank, day name, ".ini" (e.g. "3 Ostersonntag.ini").
QString storedOrderFileName(const QString &series, const QString &dayName);

// The file name the save dialog proposes, or an empty string when it proposes none: not for
// the placeholder day "Sonntag", an empty day name or a series of 0 or less. Fails when
// the series has to be consulted and is not a number.
Result<QString> proposedFileName(const QString &dayName, const QString &series);

// The whole file in the order it is written.
IniFile toIni(const Preparation &preparation);

// The stored sequence with its ticks, as both the service-order file and the order settings
// file keep them in "Reihenfolge" and "Kasualien".
struct StoredSequence
{
    enum class Status {
        Kept, // a count of 5 or less: the list and the ticks stay as they are
        Replaced, // entries and ticks are to replace the current ones
        NotANumber,
        OutOfRange, // negative or above kMaxSequenceEntries
    };
    Status status = Status::Kept;
    QString countText; // the stored "Anzahl" as read
    QStringList entries;
    ServiceTicks ticks;
};

// Writes "Reihenfolge" with "Anzahl" and the keys "0" ... n-1.
void writeSequence(IniFile &ini, const QStringList &sequence);
// Writes "Kasualien" with the four ticks as "1" or "0".
void writeTicks(IniFile &ini, const ServiceTicks &ticks);

StoredSequence readSequence(const IniFile &ini);
// What readSequence would say of the stored count, without reading the entries.
StoredSequence::Status sequenceStatus(const IniFile &ini);

// The date a preparation's "Datum" (yyyymmdd) names; invalid for anything else.
QDate stampDate(const QString &stamp);

// The basic form under "Format": "Grundform" holds its name, "Angepasst" is "1" when the list
// was moved by hand after the form was chosen (and is written only then). Nothing is written
// for an empty name.
void writeBasicForm(IniFile &ini, const QString &name, bool adjusted);

struct StoredBasicForm
{
    QString name; // as stored; empty when the file holds none (files saved before it was kept)
    bool adjusted = false;
};
StoredBasicForm readBasicForm(const IniFile &ini);

// The page format a stored "Seitenformat" stands for: 1 or more landscape, 0 or less
// portrait, missing or not a number landscape.
int readPageFormat(const IniFile &ini);

// Whether the service has three readings ("DreiLesungen" in "Format"); files without the key
// have two.
bool readThreeReadings(const IniFile &ini);

// Reads the fields of "Allgemein", "Texte" and "Lieder" with their defaults ("Sonntag",
// "0", empty; files saved before the Old Testament reading had its field have none). The
// ticks, page format, readings and sequence are left to readSequence, readPageFormat and
// readThreeReadings, since loading applies them one after the other.
Preparation readTexts(const IniFile &ini);

// Reads a service-order file. Returns nothing when it cannot be read or is too large to be
// one; errorText then says why.
Result<IniFile> readFile(const QString &path, qint64 maxBytes = kMaxFileSize);

// Reads of a service-order file only what names the service and its hymns: "Allgemein",
// "Lieder" and the count of the stored sequence (enough for sequenceStatus). readTexts gives
// the rest its defaults. For reading many files when only that is wanted.
Result<IniFile> readDayAndHymns(const QString &path, qint64 maxBytes = kMaxFileSize);

// Writes the file whole or not at all. Fails with a German text naming the path when it cannot
// be written; an earlier file under the same path is then left as it was.
Result<> writeFile(const QString &path, const IniFile &ini);

} // namespace serviceorder
