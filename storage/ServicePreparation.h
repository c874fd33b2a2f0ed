#pragma once

#include "base/Result.h"
#include "storage/PreparationHistory.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Which saved file is the preparation of a service. A service is a day of a sermon series on a
// date. Its preparation is kept in the series folder under the day's name ("3 3. Sonntag im
// Advent.ini"), or beside it as a further version ("3 3. Sonntag im Advent (2).ini"); the
// service date a file was saved for is its key "Datum", for an older file without it the day
// it was saved. The same day comes round with the same series every six years: a file more
// than three years away from the service prepared another one, an earlier cycle's.
//
// Everything that looks for "the preparation of a day" asks here: choosing the day, the hymn
// plan, the history's counts. Files in "Archiv" are kept history, never the preparation a day
// loads.
namespace servicefile {

// Whether two service dates lie in one cycle of the sermon series.
bool sameCycle(const QDate &a, const QDate &b);

// The version number of a file name of the day: 1 for "<series> <name>.ini", n for
// "<series> <name> (n).ini", 0 for any other name.
int versionOf(const QString &fileName, const QString &series, const QString &name);

// What the series folder holds for one service.
struct Found
{
    enum class Kind {
        None, // no file of the day: the library's propers
        Current, // the service's own preparation
        Earlier, // only files of another cycle: the latest is a starting point
    };
    Kind kind = Kind::None;
    // The file the day loads: the newest version of the service, or the latest file of another
    // cycle.
    history::SavedPreparation chosen;
    // Current: every version of the service, newest first (chosen is the first).
    QList<history::SavedPreparation> versions;
    // The files of the day that belong to another cycle, latest service first.
    QList<history::SavedPreparation> otherCycles;

    qsizetype otherVersions() const { return versions.isEmpty() ? 0 : versions.size() - 1; }
};

// The rule over saved preparations of any source: the candidates are the files directly in the
// series folder (relative path "<series>/<file>") named after the day under one of `names` (its
// name, then the names its date had before; the first name with a file counts). Those of the
// cycle of `serviceDate` are the service's versions, the one saved last in use (of two saved
// in the same second the higher number). Without a valid service date every file counts as
// the service's.
Found choose(const QList<history::SavedPreparation> &saved, const QString &series,
             const QStringList &names, const QDate &serviceDate);

// Reads the day's files in the series folder of the data folder and chooses as above.
Found find(const QString &dataDir, const QString &series, const QStringList &names,
           const QDate &serviceDate);

// The name an earlier cycle's file is kept under in "Archiv": the day's name with the service
// date ("3 3. Sonntag im Advent 2026-12-13.ini").
QString archivedName(const history::SavedPreparation &saved);

// Moves every file of the day that belongs to another cycle than serviceDate out of the series
// folder into its "Archiv" under archivedName (a free one when taken), so that the day's name
// is free for the service now prepared. Fails in German when a file cannot be moved; the files
// moved before stay moved.
Result<> archiveOtherCycles(const QString &dataDir, const QString &series, const QStringList &names,
                            const QDate &serviceDate);

// The preparations of the scan that stand for their service, once each: of the files of one
// series, day name and cycle, the one in the series folder before one in "Archiv" (a version
// replaced there), then the version in use as choose takes it (saved last; of two saved in the
// same second the higher number). In the order of the scan.
QList<const history::SavedPreparation *> oncePerService(const history::Scan &scan);

} // namespace servicefile
