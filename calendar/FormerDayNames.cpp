#include "calendar/FormerDayNames.h"

#include "calendar/ChurchYear.h"

namespace churchyear {
namespace {

// The names of the earlier rules for a Sunday 1 January and the Sundays from 7 January to
// Sexagesimae of year.
QStringList earlierNames(const QDate &date)
{
    const int year = date.year();
    if (date == QDate(year, 1, 1) && date.dayOfWeek() == Qt::Sunday)
        return { QStringLiteral("2. Sonntag nach Weihnachten") };
    const QDate epiphany(year, 1, 6);
    const QDate easter = EasterSunday(year);
    if (date <= epiphany || date >= easter.addDays(-49) || date.dayOfWeek() != Qt::Sunday)
        return {};
    const qint64 beforeEaster = date.daysTo(easter);
    switch (beforeEaster) {
    case 84:
        return { QStringLiteral("Letzter Sonntag nach Epiphanias") };
    case 77:
        return { QStringLiteral("5. Sonntag vor der Passionszeit") };
    case 70:
        return { QStringLiteral("4. Sonntag vor der Passionszeit") };
    case 63:
        return { QStringLiteral("Septuagesimae") };
    case 56:
        return { QStringLiteral("Sexagesimae") };
    default:
        break;
    }
    // Before Easter - 84: counted from the first Sunday after 6 January.
    const qint64 number = (epiphany.daysTo(date) - 1) / 7 + 1;
    return { QString::number(number) + QStringLiteral(". Sonntag nach Epiphanias") };
}

// The names the day list now gives date.
QStringList currentNames(const QDate &date)
{
    QStringList names;
    for (const QString &entry : FillDayList(date)) {
        if (entry.size() > 13
            && QDate(entry.mid(6, 4).toInt(), entry.mid(3, 2).toInt(), entry.left(2).toInt())
                == date)
            names.append(entry.mid(13));
    }
    return names;
}

} // namespace

QStringList FormerDayNames(const QDate &date, const QString &name)
{
    if (!date.isValid())
        return {};
    const QStringList earlier = earlierNames(date);
    if (earlier.isEmpty())
        return {};
    const QStringList now = currentNames(date);
    if (!now.contains(name))
        return {};
    QStringList former;
    for (const QString &old : earlier) {
        if (!now.contains(old))
            former.append(old);
    }
    return former;
}

} // namespace churchyear
