// The calendar file's lines: folding at 75 octets, escaped texts, stable UIDs. What a
// calendar program reads from the whole file is checked with a real iCalendar parser
// (ical_test.py).
#include "calendar/ChurchYearCalendar.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

TEST(ChurchYearCalendar, FoldsLinesAt75OctetsWithoutSplittingCharacters)
{
    const struct
    {
        QByteArray line;
        QList<qsizetype> lengths; // octets of each physical line without CR LF
    } cases[] = {
        { QByteArray(75, 'a'), { 75 } },
        { QByteArray(76, 'a'), { 75, 2 } },
        { QByteArray(75 + 74 + 1, 'a'), { 75, 75, 2 } },
        // "ß" is two octets; starting at octet 74 it would cross the border.
        { QByteArray(74, 'a') + "\xC3\x9F" + "b", { 74, 4 } },
        // A four-octet character at the border of a continuation line.
        { QByteArray(75 + 72, 'a') + "\xF0\x9F\x98\x80", { 75, 73, 5 } },
    };
    for (const auto &c : cases) {
        const QByteArray folded = churchyearcalendar::foldLine(c.line);
        const QList<QByteArray> lines = folded.split('\n');
        QList<qsizetype> lengths;
        QByteArray unfolded;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QByteArray l = lines.at(i);
            if (l.endsWith('\r'))
                l.chop(1);
            lengths << l.size();
            unfolded += i == 0 ? l : l.mid(1);
            // Every physical line is valid UTF-8 on its own.
            EXPECT_FALSE(QString::fromUtf8(l).contains(QChar::ReplacementCharacter));
        }
        EXPECT_EQ(lengths, c.lengths) << c.line.constData();
        EXPECT_EQ(unfolded, c.line);
    }
    // Invalid UTF-8: continuation bytes without a start are cut at the limit, and the
    // function ends.
    const QByteArray invalid(200, '\x80');
    const QList<QByteArray> lines = churchyearcalendar::foldLine(invalid).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 75 + 1); // with the CR
    EXPECT_EQ(lines[1].size(), 75 + 1);
    EXPECT_EQ(lines[2], " " + QByteArray(200 - 75 - 74, '\x80'));
}

TEST(ChurchYearCalendar, EscapesTexts)
{
    const struct
    {
        const char *text;
        const char *escaped;
    } cases[] = {
        { "Ps 23; Joh 10,11", "Ps 23\\; Joh 10\\,11" },
        { "a\\b", "a\\\\b" },
        { "Zeile 1\nZeile 2\r\nZeile 3", "Zeile 1\\nZeile 2\\nZeile 3" },
        { "Buß- und Bettag", "Buß- und Bettag" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(churchyearcalendar::escapeText(QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.escaped));
}

TEST(ChurchYearCalendar, UidIsStablePerDateAndDay)
{
    const QDate date(2023, 12, 24);
    const QString vesper = churchyearcalendar::uid(date, QStringLiteral("Christvesper"));
    EXPECT_EQ(vesper, churchyearcalendar::uid(date, QStringLiteral("Christvesper")));
    EXPECT_NE(vesper, churchyearcalendar::uid(date, QStringLiteral("Christnacht")));
    EXPECT_NE(vesper, churchyearcalendar::uid(date.addYears(1), QStringLiteral("Christvesper")));
    EXPECT_TRUE(vesper.startsWith(QStringLiteral("20231224-")));
}

} // namespace
