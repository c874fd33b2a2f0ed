#include "calendar/DayEntry.h"
#include "calendar/ChurchYear.h"
#include "calendar/DayColour.h"
#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"

#include <QDate>
#include <QSet>

#include <gtest/gtest.h>

using namespace dayentry;

TEST(DayEntry, DayStampIsYearMonthDay)
{
    EXPECT_EQ(dayStamp(QStringLiteral("04.10.2026 - Erntedank")), QStringLiteral("20261004"));
    EXPECT_EQ(dayStamp(QStringLiteral("30.11.2025 - 1. Sonntag im Advent")),
              QStringLiteral("20251130"));
}

TEST(DayEntry, SeriesFollowsTheChurchYear)
{
    struct Case
    {
        const char16_t *entry;
        int series;
    };
    const Case cases[] = {
        { u"30.11.2025 - 1. Sonntag im Advent", 2 }, // Advent in November: the new church year
        { u"23.11.2025 - Ewigkeitssonntag", 1 },
        { u"11.11.2025 - Martinstag", 1 },
        { u"24.12.2025 - Christvesper", 2 },
        { u"06.01.2026 - Epiphanias", 2 },
        { u"04.10.2026 - Erntedank", 2 },
        { u"02.12.2018 - 1. Sonntag im Advent", 1 },
        { u"10.02.2019 - Sexagesimae", 1 },
        { u"01.12.2024 - 1. Sonntag im Advent", 1 },
        { u"08.06.2025 - Pfingstsonntag", 1 },
        { u"26.11.2023 - Ewigkeitssonntag", 5 },
        { u"03.12.2023 - 1. Sonntag im Advent", 6 },
        { u"07.12.2031 - x", 2 }, // December alone is enough
        { u"07.11.2031 - Adventsmusik", 2 }, // so is "Advent" anywhere
        { u"07.11.2031 - x", 1 },
    };
    for (const Case &c : cases) {
        const QString entry = QString::fromUtf16(c.entry);
        EXPECT_EQ(seriesNumber(entry).value(), c.series) << entry.toStdString();
    }
    // Six years later the same series comes round again.
    EXPECT_EQ(seriesNumber(QStringLiteral("04.10.2032 - Erntedank")).value(), 2);
    // Early years still give a series 1 to 6.
    for (int year = 1; year <= 12; ++year) {
        const QString y = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
        for (const QString &entry : { QStringLiteral("01.01.") + y + QStringLiteral(" - X"),
                                      QStringLiteral("01.12.") + y + QStringLiteral(" - X") }) {
            const int series = seriesNumber(entry).value();
            EXPECT_GE(series, 1) << entry.toStdString();
            EXPECT_LE(series, 6) << entry.toStdString();
        }
    }
}

TEST(DayEntry, YearThatIsNoNumberFails)
{
    for (const QString &entry :
         { QStringLiteral("04.10.20x6 - Erntedank"), QStringLiteral("04.10. 026 - Erntedank"),
           QStringLiteral("04.10.-026 - Erntedank"), QStringLiteral("04.10.2") }) {
        const Result<int> series = seriesNumber(entry);
        ASSERT_FALSE(series.ok()) << entry.toStdString();
        EXPECT_TRUE(series.error().contains(entry.mid(6, 4))) << series.error().toStdString();
    }
}

TEST(DayEntry, NameFromTheFourteenthCharacter)
{
    EXPECT_EQ(dayName(QStringLiteral("04.10.2026 - Erntedank")), QStringLiteral("Erntedank"));
    EXPECT_EQ(dayName(QStringLiteral("04.10.2026 - Xy")), QStringLiteral("Xy"));
    // Exactly fourteen characters, or fewer: the whole text is the name.
    EXPECT_EQ(dayName(QStringLiteral("04.10.2026 - X")), QStringLiteral("04.10.2026 - X"));
    EXPECT_EQ(dayName(QStringLiteral("04.10.2026 -")), QStringLiteral("04.10.2026 -"));
}

TEST(DayEntry, PanelNameAndStoredOrderPath)
{
    EXPECT_EQ(panelDayName(QStringLiteral("   Erntedank")), QStringLiteral("Erntedank"));
    EXPECT_EQ(panelDayName(QStringLiteral("\t  Buß- und Bettag \r\n\x01")),
              QStringLiteral("Buß- und Bettag"));
    EXPECT_EQ(panelDayName(QStringLiteral("   ")), QString());
    EXPECT_EQ(storedOrderPath(QStringLiteral("/home/p/Pergol"), QStringLiteral("2"),
                              QStringLiteral("Erntedank")),
              QStringLiteral("/home/p/Pergol/2/2 Erntedank.ini"));
}

TEST(DayColour, ParsesTheLibrarysDecimalText)
{
    EXPECT_EQ(daycolour::parse(QStringLiteral("50331647")).value(), daycolour::kWhite);
    EXPECT_EQ(daycolour::parse(QStringLiteral("32768")).value(), 0x008000);
    EXPECT_EQ(daycolour::parse(QStringLiteral("-1")).value(), -1);
    for (const QString &bad : { QString(), QStringLiteral("grün"), QStringLiteral("0x02FFFFFF"),
                                QStringLiteral("99999999999") })
        EXPECT_FALSE(daycolour::parse(bad).ok()) << bad.toStdString();

    constexpr int violet = daycolour::kViolet;
    EXPECT_EQ(daycolour::red(violet), 0xAA);
    EXPECT_EQ(daycolour::green(violet), 0x00);
    EXPECT_EQ(daycolour::blue(violet), 0xAA);
    EXPECT_EQ(daycolour::red(0x02123456), 0x56);
    EXPECT_EQ(daycolour::blue(0x02123456), 0x12);
    EXPECT_TRUE(daycolour::wantsBlackText(daycolour::kWhite));
    EXPECT_FALSE(daycolour::wantsBlackText(0x00FFFFFF)); // white without the flag byte
    EXPECT_FALSE(daycolour::wantsBlackText(daycolour::kBlack));
}

TEST(DayEntry, EveryDayNameOfTheListIsKnownToTheLiturgicalLibrary)
{
    // The names of the day list are the library's keys: an unknown name would leave the
    // propers of that day empty.
    QSet<QString> names;
    for (int year = 2000; year <= 2100; ++year) {
        for (const QString &entry : churchyear::FillDayList(QDate(year, 12, 1)))
            names.insert(dayName(entry));
        for (const QString &entry : churchyear::FillDayList(QDate(year, 2, 1)))
            names.insert(dayName(entry));
    }
    EXPECT_GE(names.size(), 40 + 24 + 3);
    for (const QString &name : names) {
        const QByteArray key = win1252::encode(name);
        EXPECT_STRNE(getVers(key.constData()), "") << name.toStdString();
        EXPECT_STRNE(getEvangelium(key.constData()), "") << name.toStdString();
        EXPECT_TRUE(daycolour::parse(win1252::decode(getFarbe(key.constData()))).ok())
            << name.toStdString();
    }
}
