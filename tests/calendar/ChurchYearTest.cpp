#include "calendar/ChurchYear.h"

#include <QDate>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

using namespace churchyear;

namespace {

// Easter by the anonymous Gregorian algorithm (Meeus/Jones/Butcher), independent of the
// Gauss rule the program uses.
QDate meeusEaster(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QDate entryDate(const QString &entry)
{
    return QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy"));
}

QString entryName(const QString &entry)
{
    return entry.mid(13);
}

std::optional<QString> findByName(const QStringList &list, const QString &name)
{
    for (const QString &entry : list) {
        if (entryName(entry) == name)
            return entry;
    }
    return std::nullopt;
}

qsizetype countEnding(const QStringList &list, const QString &suffix)
{
    qsizetype n = 0;
    for (const QString &entry : list)
        n += entryName(entry).endsWith(suffix) ? 1 : 0;
    return n;
}

// The entries of list from the first with name first to the one with name last, inclusive.
QStringList slice(const QStringList &list, const QString &firstEntry, qsizetype count)
{
    const qsizetype at = list.indexOf(firstEntry);
    return at < 0 ? QStringList() : list.mid(at, count);
}

} // namespace

TEST(ChurchYear, EasterAgreesWithAnIndependentComputationForEveryGregorianYear)
{
    for (int year = 1583; year <= 9999; ++year) {
        const QDate easter = EasterSunday(year);
        ASSERT_EQ(easter, meeusEaster(year)) << year;
        ASSERT_EQ(easter.dayOfWeek(), Qt::Sunday) << year;
        ASSERT_GE(easter, QDate(year, 3, 22)) << year;
        ASSERT_LE(easter, QDate(year, 4, 25)) << year;
    }
    EXPECT_FALSE(EasterSunday(0).isValid());
}

// Easter; fourth Sunday in Advent; Drittletzter Sonntag; Sundays after Epiphany; Sundays
// after Trinity; Erntedank.
struct YearFacts
{
    int year;
    QDate easter;
    QDate fourthAdvent;
    QDate thirdLast;
    int afterEpiphany;
    int afterTrinity;
    QDate harvest;
};

class WorkedYear : public ::testing::TestWithParam<YearFacts>
{
};

TEST_P(WorkedYear, MatchesTheKnownDates)
{
    const YearFacts f = GetParam();
    EXPECT_EQ(EasterSunday(f.year), f.easter);

    QStringList yearEnd;
    AddYearEnd(yearEnd, f.year);
    const auto thirdLast
        = findByName(yearEnd, QStringLiteral("Drittletzter Sonntag des Kirchenjahres"));
    ASSERT_TRUE(thirdLast);
    EXPECT_EQ(entryDate(*thirdLast), f.thirdLast);
    // On 24 December the fourth Sunday in Advent has no entry of its own.
    const auto advent4 = findByName(yearEnd, QStringLiteral("4. Sonntag im Advent"));
    if (f.fourthAdvent == QDate(f.year, 12, 24))
        EXPECT_FALSE(advent4);
    else
        EXPECT_EQ(advent4 ? entryDate(*advent4) : QDate(), f.fourthAdvent);
    EXPECT_EQ(entryDate(yearEnd.at(4)), f.fourthAdvent.addDays(-21)); // 1. Sonntag im Advent

    QStringList cycle;
    AddEasterCycle(cycle, f.year);
    EXPECT_EQ(countEnding(cycle, QStringLiteral(". Sonntag nach Epiphanias")), f.afterEpiphany);
    EXPECT_EQ(countEnding(cycle, QStringLiteral(". Sonntag nach Trinitatis")), f.afterTrinity);
    const auto harvest = findByName(cycle, QStringLiteral("Erntedank"));
    ASSERT_TRUE(harvest);
    EXPECT_EQ(entryDate(*harvest), f.harvest);
    // The last Sunday after Trinity is the Sunday before the Drittletzter Sonntag.
    const QString last
        = QString::number(f.afterTrinity) + QStringLiteral(". Sonntag nach Trinitatis");
    const auto lastTrinity = findByName(cycle, last);
    ASSERT_TRUE(lastTrinity);
    EXPECT_EQ(entryDate(*lastTrinity), f.thirdLast.addDays(-7));
    // Every Sunday entry of the cycle is a Sunday.
    for (const QString &entry : cycle) {
        const QString name = entryName(entry);
        if (name.contains(QStringLiteral("Sonntag")) || name == QStringLiteral("Trinitatis")) {
            EXPECT_EQ(entryDate(entry).dayOfWeek(), Qt::Sunday) << entry.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ChurchYear, WorkedYear,
    ::testing::Values(
        YearFacts {
            2019, { 2019, 4, 21 }, { 2019, 12, 22 }, { 2019, 11, 10 }, 2, 20, { 2019, 10, 6 } },
        YearFacts {
            2023, { 2023, 4, 9 }, { 2023, 12, 24 }, { 2023, 11, 12 }, 3, 22, { 2023, 10, 1 } },
        YearFacts {
            2024, { 2024, 3, 31 }, { 2024, 12, 22 }, { 2024, 11, 10 }, 3, 23, { 2024, 10, 6 } },
        YearFacts {
            2025, { 2025, 4, 20 }, { 2025, 12, 21 }, { 2025, 11, 9 }, 3, 20, { 2025, 10, 5 } },
        YearFacts {
            2026, { 2026, 4, 5 }, { 2026, 12, 20 }, { 2026, 11, 8 }, 3, 22, { 2026, 10, 4 } },
        YearFacts {
            2038, { 2038, 4, 25 }, { 2038, 12, 19 }, { 2038, 11, 7 }, 3, 19, { 2038, 10, 3 } },
        YearFacts {
            2285, { 2285, 3, 22 }, { 2285, 12, 20 }, { 2285, 11, 8 }, 0, 24, { 2285, 10, 4 } }),
    [](const ::testing::TestParamInfo<YearFacts> &param) {
        return std::to_string(param.param.year);
    });

TEST(ChurchYear, ListOfTenthFebruary2026)
{
    const QStringList expected = {
        QStringLiteral("09.11.2025 - Drittletzter Sonntag des Kirchenjahres"),
        QStringLiteral("16.11.2025 - Vorletzter Sonntag des Kirchenjahres"),
        QStringLiteral("19.11.2025 - Buß- und Bettag"),
        QStringLiteral("23.11.2025 - Ewigkeitssonntag"),
        QStringLiteral("30.11.2025 - 1. Sonntag im Advent"),
        QStringLiteral("07.12.2025 - 2. Sonntag im Advent"),
        QStringLiteral("14.12.2025 - 3. Sonntag im Advent"),
        QStringLiteral("21.12.2025 - 4. Sonntag im Advent"),
        QStringLiteral("24.12.2025 - Christvesper"),
        QStringLiteral("24.12.2025 - Christnacht"),
        QStringLiteral("25.12.2025 - 1. Weihnachtstag"),
        QStringLiteral("26.12.2025 - 2. Weihnachtstag"),
        QStringLiteral("28.12.2025 - 1. Sonntag nach Weihnachten"),
        QStringLiteral("31.12.2025 - Altjahrsabend"),
        QStringLiteral("01.01.2026 - Neujahr"),
        QStringLiteral("04.01.2026 - 2. Sonntag nach Weihnachten"),
        QStringLiteral("06.01.2026 - Epiphanias"),
        QStringLiteral("11.01.2026 - 1. Sonntag nach Epiphanias"),
        QStringLiteral("18.01.2026 - 2. Sonntag nach Epiphanias"),
        QStringLiteral("25.01.2026 - 3. Sonntag nach Epiphanias"),
        QStringLiteral("01.02.2026 - Letzter Sonntag nach Epiphanias"),
        QStringLiteral("08.02.2026 - Sexagesimae"),
        QStringLiteral("15.02.2026 - Estomihi"),
        QStringLiteral("22.02.2026 - Invokavit"),
        QStringLiteral("01.03.2026 - Reminiscere"),
        QStringLiteral("08.03.2026 - Oculi"),
        QStringLiteral("15.03.2026 - Laetare"),
        QStringLiteral("22.03.2026 - Judica"),
        QStringLiteral("29.03.2026 - Palmsonntag"),
        QStringLiteral("02.04.2026 - Gründonnerstag"),
        QStringLiteral("03.04.2026 - Karfreitag"),
        QStringLiteral("04.04.2026 - Karsamstag"),
        QStringLiteral("04.04.2026 - Osternacht"),
        QStringLiteral("05.04.2026 - Ostersonntag"),
        QStringLiteral("06.04.2026 - Ostermontag"),
        QStringLiteral("12.04.2026 - Quasimodogeniti"),
        QStringLiteral("19.04.2026 - Misericordias Domini"),
        QStringLiteral("26.04.2026 - Jubilate"),
        QStringLiteral("03.05.2026 - Cantate"),
        QStringLiteral("10.05.2026 - Rogate"),
        QStringLiteral("14.05.2026 - Christi Himmelfahrt"),
        QStringLiteral("17.05.2026 - Exaudi"),
        QStringLiteral("24.05.2026 - Pfingstsonntag"),
        QStringLiteral("25.05.2026 - Pfingstmontag"),
        QStringLiteral("31.05.2026 - Trinitatis"),
        QStringLiteral("07.06.2026 - 1. Sonntag nach Trinitatis"),
        QStringLiteral("14.06.2026 - 2. Sonntag nach Trinitatis"),
        QStringLiteral("21.06.2026 - 3. Sonntag nach Trinitatis"),
        QStringLiteral("28.06.2026 - 4. Sonntag nach Trinitatis"),
        QStringLiteral("05.07.2026 - 5. Sonntag nach Trinitatis"),
        QStringLiteral("12.07.2026 - 6. Sonntag nach Trinitatis"),
        QStringLiteral("19.07.2026 - 7. Sonntag nach Trinitatis"),
        QStringLiteral("26.07.2026 - 8. Sonntag nach Trinitatis"),
        QStringLiteral("02.08.2026 - 9. Sonntag nach Trinitatis"),
        QStringLiteral("09.08.2026 - 10. Sonntag nach Trinitatis"),
        QStringLiteral("09.08.2026 - Gedenktag der Zerstörung Jerusalems"),
        QStringLiteral("16.08.2026 - 11. Sonntag nach Trinitatis"),
        QStringLiteral("23.08.2026 - 12. Sonntag nach Trinitatis"),
        QStringLiteral("30.08.2026 - 13. Sonntag nach Trinitatis"),
        QStringLiteral("06.09.2026 - 14. Sonntag nach Trinitatis"),
        QStringLiteral("13.09.2026 - 15. Sonntag nach Trinitatis"),
        QStringLiteral("20.09.2026 - 16. Sonntag nach Trinitatis"),
        QStringLiteral("27.09.2026 - 17. Sonntag nach Trinitatis"),
        QStringLiteral("04.10.2026 - Erntedank"),
        QStringLiteral("04.10.2026 - 18. Sonntag nach Trinitatis"),
        QStringLiteral("11.10.2026 - 19. Sonntag nach Trinitatis"),
        QStringLiteral("18.10.2026 - 20. Sonntag nach Trinitatis"),
        QStringLiteral("25.10.2026 - 21. Sonntag nach Trinitatis"),
        QStringLiteral("31.10.2026 - Reformationstag"),
        QStringLiteral("01.11.2026 - 22. Sonntag nach Trinitatis"),
        QStringLiteral("11.11.2026 - Martinstag"),
        QStringLiteral("08.11.2026 - Drittletzter Sonntag des Kirchenjahres"),
        QStringLiteral("15.11.2026 - Vorletzter Sonntag des Kirchenjahres"),
        QStringLiteral("18.11.2026 - Buß- und Bettag"),
        QStringLiteral("22.11.2026 - Ewigkeitssonntag"),
        QStringLiteral("29.11.2026 - 1. Sonntag im Advent"),
        QStringLiteral("06.12.2026 - 2. Sonntag im Advent"),
        QStringLiteral("13.12.2026 - 3. Sonntag im Advent"),
        QStringLiteral("20.12.2026 - 4. Sonntag im Advent"),
        QStringLiteral("24.12.2026 - Christvesper"),
        QStringLiteral("24.12.2026 - Christnacht"),
        QStringLiteral("25.12.2026 - 1. Weihnachtstag"),
        QStringLiteral("26.12.2026 - 2. Weihnachtstag"),
    };
    ASSERT_EQ(expected.size(), 83);
    const QDate date(2026, 2, 10);
    const QStringList list = FillDayList(date);
    EXPECT_EQ(list, expected);
    const int selected = SelectComingDay(list, date);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(list.at(selected), QStringLiteral("15.02.2026 - Estomihi"));
}

TEST(ChurchYear, ChristmasEveOnASunday)
{
    // 2023: the fourth Sunday in Advent is Christmas Eve itself; A4 + 7 would be 31 December
    // and A4 + 14 would be 7 January.
    QStringList yearEnd;
    AddYearEnd(yearEnd, 2023);
    EXPECT_EQ(slice(yearEnd, QStringLiteral("17.12.2023 - 3. Sonntag im Advent"), 3),
              QStringList({ QStringLiteral("17.12.2023 - 3. Sonntag im Advent"),
                            QStringLiteral("24.12.2023 - Christvesper"),
                            QStringLiteral("24.12.2023 - Christnacht") }));
    QStringList christmastide;
    AddChristmastide(christmastide, 2023);
    EXPECT_EQ(christmastide,
              QStringList({ QStringLiteral("31.12.2023 - Altjahrsabend"),
                            QStringLiteral("01.01.2024 - Neujahr"),
                            QStringLiteral("06.01.2024 - Epiphanias") }));
}

TEST(ChurchYear, ErntedankAndReformationstagOnSundays)
{
    QStringList y2023;
    AddEasterCycle(y2023, 2023); // 1 October a Sunday
    EXPECT_EQ(slice(y2023, QStringLiteral("01.10.2023 - Erntedank"), 2),
              QStringList({ QStringLiteral("01.10.2023 - Erntedank"),
                            QStringLiteral("01.10.2023 - 17. Sonntag nach Trinitatis") }));

    QStringList y2021;
    AddEasterCycle(y2021, 2021); // 31 October a Sunday, the last one after Trinity
    EXPECT_EQ(y2021.mid(y2021.size() - 3),
              QStringList({ QStringLiteral("31.10.2021 - Reformationstag"),
                            QStringLiteral("31.10.2021 - 22. Sonntag nach Trinitatis"),
                            QStringLiteral("11.11.2021 - Martinstag") }));

    // Erntedank is inserted before the first entry of October in the whole list, also when
    // the list already holds the year before.
    const QStringList december = FillDayList(QDate(2025, 12, 1));
    EXPECT_EQ(december.count(QStringLiteral("05.10.2025 - Erntedank")), 1);
    EXPECT_EQ(december.count(QStringLiteral("04.10.2026 - Erntedank")), 1);
    EXPECT_EQ(december.indexOf(QStringLiteral("04.10.2026 - Erntedank")) + 1,
              december.indexOf(QStringLiteral("04.10.2026 - 18. Sonntag nach Trinitatis")));
}

TEST(ChurchYear, MartinstagStandsBeforeAnEarlierDrittletzterSonntag)
{
    const QStringList list = FillDayList(QDate(2026, 11, 2));
    const qsizetype martin = list.indexOf(QStringLiteral("11.11.2026 - Martinstag"));
    ASSERT_GE(martin, 0);
    EXPECT_EQ(list.at(martin + 1),
              QStringLiteral("08.11.2026 - Drittletzter Sonntag des Kirchenjahres"));
    for (int day = 2; day <= 8; ++day) {
        const QDate today(2026, 11, day);
        const QStringList l = FillDayList(today);
        const int i = SelectComingDay(l, today);
        ASSERT_GE(i, 0);
        EXPECT_EQ(l.at(i), QStringLiteral("11.11.2026 - Martinstag")) << day;
    }
    const QStringList first = FillDayList(QDate(2026, 11, 1));
    EXPECT_EQ(first.at(SelectComingDay(first, QDate(2026, 11, 1))),
              QStringLiteral("01.11.2026 - 22. Sonntag nach Trinitatis"));
}

TEST(ChurchYear, JuneAndDecemberLists)
{
    // June: from the Sundays after Epiphany to the 2. Weihnachtstag of the same year.
    const QStringList june = FillDayList(QDate(2025, 6, 15));
    ASSERT_FALSE(june.isEmpty());
    EXPECT_EQ(june.first(), QStringLiteral("12.01.2025 - 1. Sonntag nach Epiphanias"));
    EXPECT_EQ(june.at(1), QStringLiteral("19.01.2025 - 2. Sonntag nach Epiphanias"));
    EXPECT_EQ(june.at(2), QStringLiteral("26.01.2025 - 3. Sonntag nach Epiphanias"));
    EXPECT_EQ(june.at(3), QStringLiteral("02.02.2025 - Letzter Sonntag nach Epiphanias"));
    EXPECT_EQ(june.at(4), QStringLiteral("09.02.2025 - 4. Sonntag vor der Passionszeit"));
    EXPECT_EQ(june.last(), QStringLiteral("26.12.2025 - 2. Weihnachtstag"));
    // The Sundays after Trinity with the 10th's second proper.
    EXPECT_EQ(june.size(), 5 + 25 + (20 + 1) + 3 + 12);
    EXPECT_FALSE(findByName(june, QStringLiteral("Altjahrsabend")));
    EXPECT_EQ(june.at(SelectComingDay(june, QDate(2025, 6, 15))),
              QStringLiteral("15.06.2025 - Trinitatis"));

    // May still shows the turn of the year before.
    const QStringList may = FillDayList(QDate(2025, 5, 31));
    EXPECT_EQ(may.first(), QStringLiteral("10.11.2024 - Drittletzter Sonntag des Kirchenjahres"));

    // December: on through the next year's Martinstag, without the next year's end.
    const QStringList december = FillDayList(QDate(2025, 12, 1));
    EXPECT_EQ(december.first(), QStringLiteral("12.01.2025 - 1. Sonntag nach Epiphanias"));
    EXPECT_EQ(december.last(), QStringLiteral("11.11.2026 - Martinstag"));
    EXPECT_EQ(december.size(), (5 + 25 + 21 + 3) + 12 + 5 + (4 + 24 + 23 + 3));
    EXPECT_EQ(december.count(QStringLiteral("08.11.2026 - Drittletzter Sonntag des Kirchenjahres")),
              0);
    EXPECT_EQ(december.at(SelectComingDay(december, QDate(2025, 12, 1))),
              QStringLiteral("07.12.2025 - 2. Sonntag im Advent"));

    // July to November add the Christmas season after the year's end.
    const QStringList october = FillDayList(QDate(2025, 10, 20));
    EXPECT_EQ(october.last(), QStringLiteral("06.01.2026 - Epiphanias"));
}

TEST(ChurchYear, ReformationstagWhenTheLastSundayAfterTrinityIsThirtiethOctober)
{
    // 2022: 24 December a Saturday, the last Sunday after Trinity is 30 October.
    QStringList y2022;
    AddEasterCycle(y2022, 2022);
    EXPECT_EQ(y2022.mid(y2022.size() - 3),
              QStringList({ QStringLiteral("30.10.2022 - 20. Sonntag nach Trinitatis"),
                            QStringLiteral("31.10.2022 - Reformationstag"),
                            QStringLiteral("11.11.2022 - Martinstag") }));
    // Also inside a December list, where the next year follows.
    const QStringList december = FillDayList(QDate(2021, 12, 5));
    EXPECT_EQ(december.mid(december.size() - 2),
              QStringList({ QStringLiteral("31.10.2022 - Reformationstag"),
                            QStringLiteral("11.11.2022 - Martinstag") }));
}

TEST(ChurchYear, NoSundayAfterChristmasOnAChristmasDay)
{
    // 2022: A4 + 7 is 25 December; 2021: A4 + 7 is 26 December. A Sunday 1 January is
    // Neujahr only: the published calendar has no Sunday after Christmas on it.
    QStringList y2022;
    AddChristmastide(y2022, 2022);
    EXPECT_EQ(y2022,
              QStringList({ QStringLiteral("31.12.2022 - Altjahrsabend"),
                            QStringLiteral("01.01.2023 - Neujahr"),
                            QStringLiteral("06.01.2023 - Epiphanias") }));
    QStringList y2021;
    AddChristmastide(y2021, 2021);
    EXPECT_EQ(y2021,
              QStringList({ QStringLiteral("31.12.2021 - Altjahrsabend"),
                            QStringLiteral("01.01.2022 - Neujahr"),
                            QStringLiteral("02.01.2022 - 2. Sonntag nach Weihnachten"),
                            QStringLiteral("06.01.2022 - Epiphanias") }));
    // 24 December a Thursday: the Sunday after Christmas is 27 December.
    QStringList y2020;
    AddChristmastide(y2020, 2020);
    EXPECT_EQ(y2020.first(), QStringLiteral("27.12.2020 - 1. Sonntag nach Weihnachten"));
}

TEST(ChurchYear, EveryDayOfManyYearsGivesAWellFormedList)
{
    // Each entry is "dd.mm.yyyy - Name" with a real date; the same date and name never
    // appear twice; a day is always selected, and the selected entry is dated within a week.
    for (QDate date(2019, 1, 1); date <= QDate(2031, 12, 31); date = date.addDays(1)) {
        const QStringList list = FillDayList(date);
        ASSERT_GE(list.size(), 60) << date.toString(Qt::ISODate).toStdString();
        QSet<QString> seen;
        for (const QString &entry : list) {
            ASSERT_TRUE(entryDate(entry).isValid()) << entry.toStdString();
            ASSERT_EQ(entry.mid(10, 3), QStringLiteral(" - "));
            ASSERT_FALSE(seen.contains(entry)) << entry.toStdString();
            seen.insert(entry);
        }
        const int selected = SelectComingDay(list, date);
        ASSERT_GE(selected, 0) << date.toString(Qt::ISODate).toStdString();
        const qint64 ahead = date.daysTo(entryDate(list.at(selected)));
        // The Martinstag, listed before an earlier Drittletzter Sonntag, may lie further.
        ASSERT_GE(ahead, 0);
        ASSERT_LE(ahead, entryName(list.at(selected)) == QStringLiteral("Martinstag") ? 10 : 7)
            << date.toString(Qt::ISODate).toStdString();
    }
}

TEST(ChurchYear, SelectComingDayFollowsListOrder)
{
    const QStringList list = { QStringLiteral("10.03.2026 - B"), QStringLiteral("01.03.2026 - A"),
                               QStringLiteral("kein Datum"), QStringLiteral("20.03.2026 - C") };
    EXPECT_EQ(SelectComingDay(list, QDate(2026, 3, 1)), 0);
    EXPECT_EQ(SelectComingDay(list, QDate(2026, 3, 11)), 3);
    EXPECT_EQ(SelectComingDay(list, QDate(2026, 3, 21)), -1);
    EXPECT_EQ(SelectComingDay({}, QDate(2026, 3, 1)), -1);
    EXPECT_TRUE(FillDayList(QDate()).isEmpty());
}

TEST(ChurchYear, YearsAtTheEdgesOfFourDigits)
{
    // A day entry holds four digits of year: nothing is made outside 1 to 9999.
    const QStringList first = FillDayList(QDate(1, 2, 1));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first.first().mid(6, 4), QStringLiteral("0001"));
    const QStringList last = FillDayList(QDate(9999, 12, 1));
    EXPECT_EQ(last.last(), QStringLiteral("26.12.9999 - 2. Weihnachtstag"));
    for (const QString &entry : first + last)
        EXPECT_TRUE(entryDate(entry).isValid()) << entry.toStdString();
}
