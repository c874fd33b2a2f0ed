#include "calendar/ChurchYear.h"

#include <QStringView>

#include <algorithm>
#include <array>

// The day list is built once at start-up, but also by the companion command and whenever a
// date is looked at; it is made without QDate::toString/fromString (locale machinery): entries
// are written digit by digit and their dates read back as plain numbers yyyymmdd.

namespace churchyear {
namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999; // a day entry holds a four-digit year

bool yearInRange(int year)
{
    return year >= kFirstYear && year <= kLastYear;
}

constexpr int dateKey(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

int dateKey(const QDate &date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    return dateKey(y, m, d);
}

int digit(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9' ? u - u'0' : -1;
}

// The date in the first ten characters of an entry as yyyymmdd, or -1 when they are no date.
int entryDateKey(const QString &entry)
{
    if (entry.size() < 10 || entry[2] != u'.' || entry[5] != u'.')
        return -1;
    static constexpr std::array<int, 8> positions = { 0, 1, 3, 4, 6, 7, 8, 9 };
    std::array<int, 8> digits {};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        digits[i] = digit(entry[positions[i]]);
        if (digits[i] < 0)
            return -1;
    }
    const int day = digits[0] * 10 + digits[1];
    const int month = digits[2] * 10 + digits[3];
    const int year = digits[4] * 1000 + digits[5] * 100 + digits[6] * 10 + digits[7];
    if (!QDate::isValid(year, month, day))
        return -1;
    return dateKey(year, month, day);
}

// "dd.mm.yyyy - " followed by the optional number and the name.
QString makeEntry(const QDate &date, QStringView name, int number = 0)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    const qsizetype numberLength = number <= 0 ? 0 : (number < 10 ? 1 : 2);
    QString entry(13 + numberLength + name.size(), Qt::Uninitialized);
    QChar *p = entry.data();
    p[0] = QChar(u'0' + d / 10);
    p[1] = QChar(u'0' + d % 10);
    p[2] = u'.';
    p[3] = QChar(u'0' + m / 10);
    p[4] = QChar(u'0' + m % 10);
    p[5] = u'.';
    p[6] = QChar(u'0' + y / 1000);
    p[7] = QChar(u'0' + y / 100 % 10);
    p[8] = QChar(u'0' + y / 10 % 10);
    p[9] = QChar(u'0' + y % 10);
    p[10] = u' ';
    p[11] = u'-';
    p[12] = u' ';
    p += 13;
    if (numberLength == 2)
        *p++ = QChar(u'0' + number / 10);
    if (numberLength > 0)
        *p++ = QChar(u'0' + number % 10);
    std::copy(name.begin(), name.end(), p);
    return entry;
}

// The fourth Sunday in Advent: the Sunday on or before 24 December.
QDate fourthAdvent(int year)
{
    const QDate christmasEve(year, 12, 24);
    return christmasEve.addDays(-(christmasEve.dayOfWeek() % 7)); // Sunday = 7 -> 0
}

struct EasterOffset
{
    int days;
    QStringView name;
};

constexpr int kSeptuagesimae = -63;

// Septuagesimae through Trinitatis, in list order.
constexpr std::array<EasterOffset, 25> kEasterDays = { {
    { kSeptuagesimae, u"Septuagesimae" },
    { -56, u"Sexagesimae" },
    { -49, u"Estomihi" },
    { -42, u"Invokavit" },
    { -35, u"Reminiscere" },
    { -28, u"Oculi" },
    { -21, u"Laetare" },
    { -14, u"Judica" },
    { -7, u"Palmsonntag" },
    { -3, u"Gründonnerstag" },
    { -2, u"Karfreitag" },
    { -1, u"Karsamstag" },
    { -1, u"Osternacht" },
    { 0, u"Ostersonntag" },
    { 1, u"Ostermontag" },
    { 7, u"Quasimodogeniti" },
    { 14, u"Misericordias Domini" },
    { 21, u"Jubilate" },
    { 28, u"Cantate" },
    { 35, u"Rogate" },
    { 39, u"Christi Himmelfahrt" },
    { 42, u"Exaudi" },
    { 49, u"Pfingstsonntag" },
    { 50, u"Pfingstmontag" },
    { 56, u"Trinitatis" },
} };

// The Sundays from Epiphanias to Estomihi follow the order of readings and sermon texts of the
// Protestant churches in Germany of 2018 ("Ordnung gottesdienstlicher Texte und Lieder", in
// force since the 1st Sunday in Advent 2018). The introduction to the order in its
// Perikopenbuch (EKD/UEK/VELKD) sets, as summarised here from memory of it and not quoted from
// the printed text: the Epiphany season ends on 2 February (Darstellung des Herrn); the Sundays
// after 6 January are the 1st, 2nd, 3rd ... Sunday after Epiphany, and the Letzter Sonntag nach
// Epiphanias closes the season and is always kept; the three Sundays before the Passion time
// (Septuagesimae, Sexagesimae, Estomihi) count back from Easter; Sundays between the end of the
// Epiphany season and Septuagesimae are the 5th and 4th Sunday before the Passion time. Where
// the two meet, this program follows the liturgical calendar published for the order
// ("Liturgischer Kalender" of kirchenjahr-evangelisch.de, the exports of 2023, 2024, 2026 and
// 2027; the later export where two differ):
// - the Letzter Sonntag nach Epiphanias is the last Sunday on or before 2 February;
// - when that Sunday is Septuagesimae, the Letzter Sonntag nach Epiphanias is kept and there is
//   no Septuagesimae (2024: 28 January; 2026: 1 February);
// - when that Sunday is Sexagesimae or later (an early Easter), the Letzter Sonntag nach
//   Epiphanias is the Sunday before Septuagesimae, and the Sundays after Epiphany before it are
//   as many as fit (2027: 1st Sunday 10 January, Letzter 17 January, Septuagesimae 24 January).
// A 2 February that is a Sunday belongs to the season. No later export covers such a year; the
// early one of 2025 agrees in having the 3rd Sunday after Epiphany on 26 January and the 4th
// Sunday before the Passion time on 9 February.
// Every date of the season is thereby named once, no number is left out, and nothing is dated
// on or before 6 January (Septuagesimae is 18 January at the earliest).
struct EpiphanySeason
{
    QDate firstSunday; // the first Sunday after 6 January
    QDate lastSunday; // the Letzter Sonntag nach Epiphanias
    bool keepsSeptuagesimae = true;
};

EpiphanySeason epiphanySeason(int year)
{
    const QDate epiphany(year, 1, 6);
    const QDate presentation(year, 2, 2);
    const QDate septuagesimae = EasterSunday(year).addDays(kSeptuagesimae);
    const QDate lastByDate = presentation.addDays(-(presentation.dayOfWeek() % 7));
    EpiphanySeason season;
    season.firstSunday = epiphany.addDays(7 - epiphany.dayOfWeek() % 7);
    if (lastByDate < septuagesimae) {
        season.lastSunday = lastByDate;
    } else if (lastByDate == septuagesimae) {
        season.lastSunday = lastByDate;
        season.keepsSeptuagesimae = false;
    } else {
        season.lastSunday = septuagesimae.addDays(-7);
    }
    return season;
}

} // namespace

QDate EasterSunday(int year)
{
    if (year < kFirstYear)
        return {};
    const int x = year;
    const int k = x / 100;
    const int m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;
    const int s = 2 - (3 * k + 3) / 4;
    const int a = x % 19;
    const int d = (19 * a + m) % 30;
    const int r = d / 29 + (d / 28 - d / 29) * (a / 11);
    const int og = 21 + d - r;
    const int sz = 7 - (x + x / 4 + s) % 7;
    const int oe = 7 - (og - sz) % 7;
    const int os = og + oe;
    return os <= 31 ? QDate(year, 3, os) : QDate(year, 4, os - 31);
}

void AddYearEnd(QStringList &list, int year)
{
    if (!yearInRange(year))
        return;
    const QDate christmasEve(year, 12, 24);
    const QDate a4 = fourthAdvent(year);
    list.append(makeEntry(a4.addDays(-42), u"Drittletzter Sonntag des Kirchenjahres"));
    list.append(makeEntry(a4.addDays(-35), u"Vorletzter Sonntag des Kirchenjahres"));
    list.append(makeEntry(a4.addDays(-32), u"Buß- und Bettag"));
    list.append(makeEntry(a4.addDays(-28), u"Ewigkeitssonntag"));
    list.append(makeEntry(a4.addDays(-21), u"1. Sonntag im Advent"));
    list.append(makeEntry(a4.addDays(-14), u"2. Sonntag im Advent"));
    list.append(makeEntry(a4.addDays(-7), u"3. Sonntag im Advent"));
    // When 24 December is a Sunday, the day is Christvesper and Christnacht only.
    if (a4 != christmasEve)
        list.append(makeEntry(a4, u"4. Sonntag im Advent"));
    list.append(makeEntry(christmasEve, u"Christvesper"));
    list.append(makeEntry(christmasEve, u"Christnacht"));
    list.append(makeEntry(QDate(year, 12, 25), u"1. Weihnachtstag"));
    list.append(makeEntry(QDate(year, 12, 26), u"2. Weihnachtstag"));
}

void AddChristmastide(QStringList &list, int year)
{
    if (!yearInRange(year) || !yearInRange(year + 1))
        return;
    const QDate a4 = fourthAdvent(year);
    const QDate firstSunday = a4.addDays(7);
    const QDate newYearsEve(year, 12, 31);
    // A Sunday that is 25 or 26 December (24 December a Saturday or a Friday) is kept as the
    // Christmas day itself; the congregation does not celebrate a "Sunday after Christmas" on
    // Christmas, so no entry is made for it. On 31 December it gives way to Altjahrsabend.
    if (firstSunday != newYearsEve && firstSunday.day() != 25 && firstSunday.day() != 26)
        list.append(makeEntry(firstSunday, u"1. Sonntag nach Weihnachten"));
    list.append(makeEntry(newYearsEve, u"Altjahrsabend"));
    // Neujahr is kept on every 1 January. A 1 January that is a Sunday (25 December a Sunday)
    // is Neujahr only, as the published calendar has it; the 2. Sonntag nach Weihnachten falls
    // between 2 and 5 January, or not at all.
    const QDate newYear(year + 1, 1, 1);
    list.append(makeEntry(newYear, u"Neujahr"));
    const QDate epiphany(year + 1, 1, 6);
    const QDate secondSunday = a4.addDays(14);
    if (secondSunday > newYear && secondSunday < epiphany)
        list.append(makeEntry(secondSunday, u"2. Sonntag nach Weihnachten"));
    list.append(makeEntry(epiphany, u"Epiphanias"));
}

void AddEasterCycle(QStringList &list, int year)
{
    if (!yearInRange(year))
        return;
    const QDate easter = EasterSunday(year);
    const EpiphanySeason season = epiphanySeason(year);

    int number = 0;
    for (QDate sunday = season.firstSunday; sunday < season.lastSunday; sunday = sunday.addDays(7))
        list.append(makeEntry(sunday, u". Sonntag nach Epiphanias", ++number));
    list.append(makeEntry(season.lastSunday, u"Letzter Sonntag nach Epiphanias"));
    const QDate septuagesimae = easter.addDays(kSeptuagesimae);
    for (QDate sunday = season.lastSunday.addDays(7); sunday < septuagesimae;
         sunday = sunday.addDays(7)) {
        const bool fifth = sunday.daysTo(septuagesimae) == 14;
        list.append(makeEntry(sunday,
                              fifth ? u"5. Sonntag vor der Passionszeit"
                                    : u"4. Sonntag vor der Passionszeit"));
    }
    for (const EasterOffset &day : kEasterDays) {
        if (day.days == kSeptuagesimae && !season.keepsSeptuagesimae)
            continue;
        list.append(makeEntry(easter.addDays(day.days), day.name));
    }

    // Sundays after Trinity up to the one before the Drittletzter Sonntag.
    const QDate trinity = easter.addDays(56);
    const QDate thirdLast = fourthAdvent(year).addDays(-42);
    const qint64 afterTrinity = trinity.daysTo(thirdLast) / 7 - 1;
    for (qint64 k = 1; k <= afterTrinity; ++k) {
        list.append(
            makeEntry(trinity.addDays(7 * k), u". Sonntag nach Trinitatis", static_cast<int>(k)));
        // The 10th Sunday has two propers: "Kirche und Israel" under the Sunday's own name, and
        // the remembrance of the destruction of Jerusalem beside it on the same date.
        if (k == 10)
            list.append(makeEntry(trinity.addDays(7 * k), u"Gedenktag der Zerstörung Jerusalems"));
    }

    // Erntedank: before the first entry dated 1 October or later, with that entry's date.
    const int firstOctober = dateKey(year, 10, 1);
    qsizetype position = list.size();
    for (qsizetype i = 1; i < list.size(); ++i) {
        if (entryDateKey(list[i]) >= firstOctober) {
            // That entry's "dd.mm." with the year of the cycle.
            QString harvest = makeEntry(QDate(year, 10, 1), u"Erntedank");
            std::copy_n(list[i].cbegin(), 6, harvest.begin());
            list.insert(i, harvest);
            position = i;
            break;
        }
    }

    // Reformationstag: before the first entry dated 31 October or later. In years whose last
    // Sunday after Trinity is 30 October (24 December a Saturday) there is none; the feast is
    // still kept, so it then closes the list, after that Sunday and before Martinstag.
    const int reformationDay = dateKey(year, 10, 31);
    const QString reformation = makeEntry(QDate(year, 10, 31), u"Reformationstag");
    qsizetype i = position;
    while (i < list.size() && entryDateKey(list[i]) < reformationDay)
        ++i;
    list.insert(i, reformation);

    // Martinstag closes the cycle, even where the Drittletzter Sonntag (added later with the
    // year's end) is dated earlier.
    list.append(makeEntry(QDate(year, 11, 11), u"Martinstag"));
}

QStringList FillDayList(const QDate &date)
{
    QStringList list;
    if (!date.isValid())
        return list;
    list.reserve(112);
    const int year = date.year();
    const int month = date.month();
    if (month <= 5) {
        AddYearEnd(list, year - 1);
        AddChristmastide(list, year - 1);
        AddEasterCycle(list, year);
        AddYearEnd(list, year);
    } else if (month == 6) {
        AddEasterCycle(list, year);
        AddYearEnd(list, year);
    } else if (month <= 11) {
        AddEasterCycle(list, year);
        AddYearEnd(list, year);
        AddChristmastide(list, year);
    } else {
        AddEasterCycle(list, year);
        AddYearEnd(list, year);
        AddChristmastide(list, year);
        AddEasterCycle(list, year + 1);
    }
    return list;
}

int SelectComingDay(const QStringList &entries, const QDate &today)
{
    if (!today.isValid())
        return -1;
    const int key = dateKey(today);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entryDateKey(entries[i]) >= key)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace churchyear
