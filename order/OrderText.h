#pragma once

#include "storage/Preparation.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The written order of service: a heading with the day's name, its date and sermon series,
// then one block of lines per entry of the sequence list, each closed by one empty line.
// Every known element has its rule; any other name is looked up as a text file of that name
// in the text folder, or else written by itself.
namespace ordertext {

// The liturgical colours that steer the rules, in the Windows layout 0x02BBGGRR.
inline constexpr int kViolet = 44695722; // 0x02AA00AA
inline constexpr int kBlack = 33554432; // 0x02000000
inline constexpr int kHeadingPointSize = 10;
inline constexpr int kTextPointSize = 8;

// The character format of one line. The font face is the view's own.
struct LineFormat
{
    int pointSize = kTextPointSize;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const LineFormat &, const LineFormat &) = default;
};

struct Line
{
    QString text;
    LineFormat format;

    friend bool operator==(const Line &, const Line &) = default;
};

// What generating reads: the preparation (its sequence, series and the fields of the propers
// and hymns; the ticks and the page format play no part) and what the main window shows around it.
struct OrderInput : Preparation
{
    QString dayPanelCaption; // the day's name with the blanks the panel puts around it
    int colour = 0; // the day's liturgical colour, 0x02BBGGRR
    QString dayEntry; // the text of the day list; its first 10 characters are the date

    // The lines of the liturgical text memos.
    QStringList dialog1;
    QStringList dialog2;
    QStringList dialog3;
    QStringList gloriaPatri;
    QStringList kyrie;
    QStringList gloriaExcelsis;
    QStringList credo;
    QStringList vaterUnser;
    QStringList segen;

    // Where a file of the text folder lies, given its file name ("musik zum eingang.txt").
    std::function<QString(const QString &fileName)> textFilePath;
};

struct OrderText
{
    QList<Line> lines;
    // Empty, or the German message of a text file that exists but could not be read; lines
    // then hold what was written up to that element.
    QString error;
};

OrderText generate(const OrderInput &input);

// The file name under which an element's text is looked up: the name with only the letters
// A to Z lowered (umlauts and blanks stay), then ".txt".
QString textFileName(const QString &elementName);

// The colour value of red, green and blue parts in the Windows layout, with the flag byte
// 0x02 that the liturgical data library gives every colour.
constexpr int colourFromRgb(int red, int green, int blue)
{
    return 0x02000000 | ((blue & 0xFF) << 16) | ((green & 0xFF) << 8) | (red & 0xFF);
}

} // namespace ordertext
