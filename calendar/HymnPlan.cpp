#include "calendar/HymnPlan.h"

#include "calendar/ChurchYearCalendar.h"
#include "calendar/ChurchYearEvents.h"
#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"
#include "calendar/FormerDayNames.h"
#include "storage/FieldPlaces.h"
#include "storage/ServicePreparation.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace hymnplan {

namespace {

// The years the day list handles with the Gregorian calendar and four-digit years.
constexpr int kFirstYear = 1583;
constexpr int kLastYear = 9999;

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

history::Scan scanFor(const Period &, const QString &dataDir)
{
    return history::scanSeriesFolders(dataDir);
}

Plan make(const Period &period, const history::Scan &scan)
{
    // The files of the series folders by series and the day name in their file name, so that
    // each service looks at its own few.
    static const QRegularExpression version(QStringLiteral(" \\(\\d{1,6}\\)$"));
    QHash<QString, QList<history::SavedPreparation>> byDay;
    for (const history::SavedPreparation &saved : scan.preparations) {
        const QStringList parts = saved.relativePath.split(u'/');
        if (parts.size() != 2)
            continue; // kept in "Archiv"
        QString stem = parts.at(1);
        stem.chop(4); // ".ini"
        stem.remove(version);
        byDay[parts.at(0) + u'\n' + stem].append(saved);
    }

    Plan plan { period.from, period.to, {}, 0 };
    for (const QString &entry : entriesOfPeriod(period)) {
        Row row;
        row.date = entryDate(entry);
        row.dayName = dayentry::dayName(entry);
        // The entries of the day list always begin with their date.
        row.series = QString::number(dayentry::seriesNumber(entry).value());
        row.colour = colourOf(row.dayName);

        const QStringList names
            = QStringList { row.dayName } + churchyear::FormerDayNames(row.date, row.dayName);
        QList<history::SavedPreparation> candidates;
        for (const QString &name : names)
            candidates += byDay.value(key(row.series + u' ' + name, row.series));
        const servicefile::Found found
            = servicefile::choose(candidates, row.series, names, row.date);
        if (found.kind == servicefile::Found::Kind::Current) {
            const Preparation &saved = found.chosen.preparation;
            row.hymns = history::hymnsOf(saved);
            for (QString &hymn : row.hymns)
                hymn = hymn.trimmed();
            row.sermonText = saved.predigttext.trimmed();
            row.savedFile = found.chosen.relativePath;
            row.otherVersions = found.otherVersions();
            // A file that keeps no list of its own (five entries or fewer) says nothing
            // about the places of its hymns.
            if (!saved.sequence.isEmpty())
                row.hymnsWithoutPlace
                    = fieldplaces::labelsOf(fieldplaces::unplacedFields(saved, saved.sequence));
        } else {
            const Preparation propers = daypropers::ofDay(row.dayName, row.series);
            row.hymns = history::hymnsOf(propers);
            row.sermonText = propers.predigttext;
        }
        plan.rows.append(std::move(row));
    }
    return plan;
}

void markRecent(Plan &plan, const hymnindex::Index &index, int weeks)
{
    plan.recentWeeks = weeks;
    for (Row &row : plan.rows) {
        row.recentlySung.clear();
        for (const QString &hymn : std::as_const(row.hymns))
            row.recentlySung.append(
                hymnindex::recentText(index, hymn, row.date, weeks, row.dayName));
    }
}

} // namespace hymnplan
