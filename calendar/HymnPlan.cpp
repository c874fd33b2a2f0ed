#include "calendar/HymnPlan.h"

#include "calendar/ChurchYearCalendar.h"
#include "calendar/ChurchYearEvents.h"
#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"
#include "storage/FieldPlaces.h"

#include <QHash>

#include <algorithm>

namespace hymnplan {

namespace {

// The years the day list handles with the Gregorian calendar and four-digit years.
constexpr int kFirstYear = 1583;
constexpr int kLastYear = 9999;

// A saved preparation this many days away from a service still counts as its preparation.
constexpr qint64 kBelongingDays = 3 * 365;

QDate entryDate(const QString &entry)
{
    return QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy"));
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

bool yearHandled(const QDate &date)
{
    return date.year() >= kFirstYear && date.year() <= kLastYear;
}

QString colourOf(const QString &dayName)
{
    const Result<int> colour = daycolour::parse(daypropers::colourText(dayName));
    return colour ? churchyearcalendar::colourName(*colour) : QString();
}

QString key(const QString &dayName, const QString &series)
{
    return series + u'\n' + dayName;
}

} // namespace

Result<Period> resolvePeriod(const QDate &from, const QDate &to)
{
    Period period { from, to };
    if (!period.from.isValid())
        return Failure { QStringLiteral("Der Beginn des Zeitraums ist kein gültiges Datum.") };
    if (!yearHandled(period.from) || (period.to.isValid() && !yearHandled(period.to)))
        return Failure { QStringLiteral("Der Zeitraum muss in den Jahren %1 bis %2 liegen.")
                             .arg(kFirstYear)
                             .arg(kLastYear) };
    if (!period.to.isValid()) {
        // The services from the beginning on; the coming days lie within the next year.
        const QStringList entries = entriesOfPeriod(
            { period.from, QDate(std::min(period.from.year() + 1, kLastYear), 12, 31) });
        period.to = entries.isEmpty()
            ? period.from
            : entryDate(entries.at(std::min<qsizetype>(kDefaultServices, entries.size()) - 1));
        return period;
    }
    if (period.to < period.from)
        return Failure { QStringLiteral("Das Ende des Zeitraums (%1) liegt vor seinem Beginn (%2).")
                             .arg(dateText(period.to), dateText(period.from)) };
    if (period.from.addYears(kMaxYears) < period.to)
        return Failure { QStringLiteral(
                             "Der Zeitraum ist zu lang: ein Liedplan umfasst höchstens %1 Jahre.")
                             .arg(kMaxYears) };
    return period;
}

QStringList entriesOfPeriod(const Period &period)
{
    QStringList entries;
    for (int year = period.from.year(); year <= period.to.year(); ++year) {
        for (const QString &entry : churchyearcalendar::entriesOfYear(year)) {
            const QDate date = entryDate(entry);
            if (date >= period.from && date <= period.to)
                entries.append(entry);
        }
    }
    return entries;
}

bool belongsTo(const history::SavedPreparation &saved, const QDate &date, const QString &dayName,
               const QString &series)
{
    return saved.preparation.dayName == dayName && saved.preparation.series == series
        && std::abs(saved.saved.date().daysTo(date)) < kBelongingDays;
}

history::Scan scanFor(const Period &period, const QString &dataDir)
{
    return history::scanDataFolderSavedBetween(dataDir, period.from.addDays(1 - kBelongingDays),
                                               period.to.addDays(kBelongingDays - 1));
}

Plan make(const Period &period, const history::Scan &scan)
{
    // The preparations by day name and series, so that each service looks at its own few.
    QHash<QString, QList<const history::SavedPreparation *>> byDay;
    for (const history::SavedPreparation &saved : scan.preparations)
        byDay[key(saved.preparation.dayName, saved.preparation.series)].append(&saved);

    Plan plan { period.from, period.to, {} };
    for (const QString &entry : entriesOfPeriod(period)) {
        Row row;
        row.date = entryDate(entry);
        row.dayName = dayentry::dayName(entry);
        // The entries of the day list always begin with their date.
        row.series = QString::number(dayentry::seriesNumber(entry).value());
        row.colour = colourOf(row.dayName);

        const history::SavedPreparation *latest = nullptr;
        for (const history::SavedPreparation *saved : byDay.value(key(row.dayName, row.series))) {
            if (belongsTo(*saved, row.date, row.dayName, row.series)
                && (!latest || saved->saved > latest->saved))
                latest = saved;
        }
        if (latest) {
            row.hymns = history::hymnsOf(latest->preparation);
            for (QString &hymn : row.hymns)
                hymn = hymn.trimmed();
            row.sermonText = latest->preparation.predigttext.trimmed();
            row.savedFile = latest->relativePath;
            // A file that keeps no list of its own (five entries or fewer) says nothing
            // about the places of its hymns.
            if (!latest->preparation.sequence.isEmpty())
                row.hymnsWithoutPlace = fieldplaces::labelsOf(
                    fieldplaces::unplacedFields(latest->preparation, latest->preparation.sequence));
        } else {
            const Preparation propers = daypropers::ofDay(row.dayName, row.series);
            row.hymns = history::hymnsOf(propers);
            row.sermonText = propers.predigttext;
        }
        plan.rows.append(std::move(row));
    }
    return plan;
}

} // namespace hymnplan
