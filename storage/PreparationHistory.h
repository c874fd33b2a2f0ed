#pragma once

#include "storage/ServiceOrderFile.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The preparations saved so far: every service-order file in the series folders "1" to "6"
// of the data folder and in their archives, read without touching the main window. Reading
// is plain file work (no widgets), so it may run on any thread.
namespace history {

// One saved preparation.
struct SavedPreparation
{
    QString path; // absolute
    QString relativePath; // inside the data folder, with "/" ("2/Archiv/2 Ostersonntag.ini")
    QDateTime saved; // the file's last modification, local time
    Preparation preparation; // day name, series, service date, propers, hymns and the
                             // stored sequence (empty when the file keeps none)

    // The date of the service the file prepared; invalid for a file saved before the date
    // was kept in it.
    QDate serviceDate() const;
    // The service date, or for such an older file the day it was saved: what periods and
    // orders go by.
    QDate effectiveDate() const;
};

// What reading the data folder found.
struct Scan
{
    QList<SavedPreparation> preparations; // series 1 to 6, each folder before its archive,
                                          // file names in order
    QStringList unreadable; // relative paths of the files that could not be read
};

// How much of each file a scan reads.
enum class Reading {
    Whole, // day, propers, hymns and the stored sequence
    DayAndHymns, // the day (name, series, date) and the hymns; propers and sequence stay empty
};

// Reads every "*.ini" directly in the series folders and their "Archiv" folders. A file that
// cannot be read, or whose stored sequence makes no sense (what "Öffnen" would report as
// damaged), is listed as unreadable and otherwise left out. A missing folder is no error.
Scan scanDataFolder(const QString &dataDir, Reading reading = Reading::Whole);

// The series folders alone, without their archives: the files choosing a day may load
// (servicefile::choose), whenever they were saved.
Scan scanSeriesFolders(const QString &dataDir);

// The same for the files last saved from `savedFrom` to `savedTo` (both included); the others
// are passed over without being read.
Scan scanDataFolderSavedBetween(const QString &dataDir, const QDate &savedFrom,
                                const QDate &savedTo);

// The saved preparations of one day (by its stored name), latest service first (by the
// effective date, then the save time); with them those of series stored under one of
// formerNames, the names the day's date had before.
QList<SavedPreparation> preparationsOfDay(const Scan &scan, const QString &dayName,
                                          const QStringList &formerNames = {},
                                          const QString &series = {});

// The five hymns of a preparation in the order of the form: opening hymn, hymn of the week,
// hymn before the sermon, collection hymn, closing hymn.
QStringList hymnsOf(const ProperTexts &texts);

// One use of a hymn: a non-empty hymn field of a saved preparation.
struct HymnUse
{
    QString hymn; // as written in the field, blanks trimmed
    const SavedPreparation *source = nullptr; // points into the scan it came from
};

// The hymn uses of the preparations whose service (effective date) lies from `from` to `to`,
// both included; an invalid date leaves that side open. A service counts once, with the
// version servicefile::oncePerService takes. In the order of the scan and of the fields.
QList<HymnUse> hymnUses(const Scan &scan, const QDate &from = {}, const QDate &to = {});

// How often a hymn was sung: hymns naming the same hymn-book number count together.
struct HymnCount
{
    QString hymn; // the counted label ("EG 99" or the text)
    int count = 0;
    QStringList days; // "Name (TT.MM.JJJJ)" of each use with its effective date, earliest first
};

// The hymn uses counted per hymn, most used first, then by label.
QList<HymnCount> countHymns(const QList<HymnUse> &uses);

// A date as the tables show it: TT.MM.JJJJ; empty for an invalid date.
QString dateText(const QDate &date);
// The day a file was saved, as above.
QString dateText(const QDateTime &saved);

} // namespace history
