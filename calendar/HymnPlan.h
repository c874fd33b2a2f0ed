#pragma once

#include "base/Result.h"
#include "storage/HymnIndex.h"
#include "storage/PreparationHistory.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The hymn plan for the organist: the hymns of the services of a period, one row per Sunday or
// feast day of the day list, taken from the saved preparations and, where a day has none yet,
// the library's hymn of the week as a suggestion.
namespace hymnplan {

// How many services the plan holds when no end of the period is given.
inline constexpr int kDefaultServices = 4;

// The longest period a plan covers; every year in it is one more pass over the day lists.
inline constexpr int kMaxYears = 10;

// One service of the plan.
struct Row
{
    QDate date;
    QString dayName;
    QString series; // "1" to "6", the series of the church year the day belongs to
    QString colour; // the liturgical colour by name ("violett"); empty when the library has none
    QStringList hymns; // the five hymns in the order of the form (history::hymnsOf)
    QString sermonText;
    // The saved preparation the row comes from, relative to the data folder ("2/2
    // Ostersonntag.ini"); empty when the day has none yet and the row holds the library's
    // suggestion.
    QString savedFile;
    // How many further versions of the service are saved beside the one the row comes from
    // (the one choosing the day loads: servicefile::choose).
    qsizetype otherVersions = 0;
    // The labels of the fields ("Wochenlied") that the saved preparation's sequence has no
    // place for: such a hymn is not sung in the order as printed.
    QStringList hymnsWithoutPlace;
    // Per hymn (beside hymns): when it was sung within the plan's weeks before the service
    // ("zuletzt gesungen am 06.12.2026 (2. Sonntag im Advent)"); empty for the others. Empty
    // altogether until markRecent.
    QStringList recentlySung;

    bool suggested() const { return savedFile.isEmpty(); }
};

// The plan of a period, sorted by date (days of one date in the order of the day list).
struct Plan
{
    QDate from; // the first day of the period
    QDate to; // the last day of the period (the date of the last service when none was given)
    QList<Row> rows;
    // The weeks before a service within which a hymn counts as sung lately (markRecent); 0
    // while the hymns are not marked.
    int recentWeeks = 0;
};

// The period asked for: from (default: today) to (default: the date of the
// kDefaultServices-th service from `from` on). Fails in German when `to` lies before `from` or
// the period is longer than kMaxYears years or outside the years the day list handles.
struct Period
{
    QDate from;
    QDate to;
};
Result<Period> resolvePeriod(const QDate &from, const QDate &to);

// The day entries ("dd.mm.yyyy - Name") of the day list dated within the period, in date order.
QStringList entriesOfPeriod(const Period &period);

// The saved preparations of the data folder that may be the preparation of a service of the
// period: those of the series folders (a file kept in "Archiv" never is), whenever saved, since
// the service date a file keeps decides.
history::Scan scanFor(const Period &period, const QString &dataDir);

// The plan of the period from the scanned data folder: for each service the preparation that
// choosing its day loads (servicefile::choose: its file in the series folder, of its cycle, the
// newest version), otherwise the propers' hymn of the week and sermon text.
Plan make(const Period &period, const history::Scan &scan);

// Marks in every row the hymns the index knows to have been sung within `weeks` weeks before
// the row's service (a service of the plan itself counts for the later ones; the row's own
// preparation never does).
void markRecent(Plan &plan, const hymnindex::Index &index, int weeks);

} // namespace hymnplan
