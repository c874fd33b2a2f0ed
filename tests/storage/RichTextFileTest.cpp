#include "storage/RichTextFile.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QTextCharFormat charFormatAt(const QTextDocument &doc, int position)
{
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(position + 1);
    return c.charFormat();
}

int find(const QTextDocument &doc, const QString &text)
{
    return int(doc.toPlainText().indexOf(text));
}

} // namespace

TEST(RichTextFile, RoundTripKeepsTextAndCharacterFormats)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Eingangslied: EG 447 {Lob} \\ Größe €"));
    c.insertBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(16);
    c.insertText(QStringLiteral("Fett"), bold);
    QTextCharFormat fancy;
    fancy.setFontItalic(true);
    fancy.setFontUnderline(true);
    fancy.setFontStrikeOut(true);
    fancy.setForeground(QColor(200, 10, 20));
    fancy.setFontFamilies({ QStringLiteral("DejaVu Serif") });
    c.insertText(QStringLiteral(" rot\tkursiv"), fancy);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertBlock();
    c.insertText(QStringLiteral("Zeile") + QChar(QChar::LineSeparator)
                 + QStringLiteral("Łódź → 😀"));

    const QByteArray rtf = richtextfile::toRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(richtextfile::isRtf(rtf));
    // Windows-1252 text is written with \'hh escapes, the rest as \uN: the file stays ASCII.
    for (const char ch : rtf)
        ASSERT_LT(uchar(ch), 0x80);

    QTextDocument back;
    richtextfile::fromRtf(rtf, back);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    EXPECT_EQ(back.blockCount(), 4);

    const QTextCharFormat b = charFormatAt(back, find(back, QStringLiteral("Fett")));
    EXPECT_EQ(b.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(b.fontPointSize(), 16.0);
    EXPECT_FALSE(b.fontItalic());

    const QTextCharFormat f = charFormatAt(back, find(back, QStringLiteral("rot")));
    EXPECT_TRUE(f.fontItalic());
    EXPECT_TRUE(f.fontUnderline());
    EXPECT_TRUE(f.fontStrikeOut());
    EXPECT_NE(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(f.foreground().color(), QColor(200, 10, 20));
    EXPECT_EQ(f.fontFamilies().toStringList(), QStringList { QStringLiteral("DejaVu Serif") });

    const QTextCharFormat plain = charFormatAt(back, 0);
    EXPECT_DOUBLE_EQ(plain.fontPointSize(), 12.0);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RichTextFile, ReadsRtfOfOtherEditors)
{
    // As a word processor writes it: style sheet, generator, code-page escapes, Unicode with a
    // stand-in character, a paragraph mark at the very end.
    const QByteArray rtf
        = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
          "{\\f1\\froman Times New Roman;}}\r\n"
          "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
          "{\\stylesheet{\\s0 Normal;}}{\\info{\\author Pfarrerin}}"
          "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
          "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang7 Vor der Predigt: EG 346\\par\r\n"
          "\\b F\\'fcrbitte\\b0  \\cf1 blau\\cf0  \\u8364?5 \\{x\\}\\par\r\n"
          "{\\pict\\wmetafile8 0102030405}\\f1\\fs32 Ende\\par\r\n}\r\n";
    QTextDocument doc;
    richtextfile::fromRtf(rtf, doc);
    EXPECT_EQ(doc.toPlainText(),
              QStringLiteral("Vor der Predigt: EG 346\nFürbitte blau €5 {x}\nEnde\n"));
    const QTextCharFormat bold = charFormatAt(doc, find(doc, QStringLiteral("Fürbitte")));
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(bold.fontPointSize(), 11.0);
    EXPECT_EQ(charFormatAt(doc, find(doc, QStringLiteral("blau"))).foreground().color(),
              QColor(0, 0, 255));
    const QTextCharFormat end = charFormatAt(doc, find(doc, QStringLiteral("Ende")));
    EXPECT_EQ(end.fontFamilies().toStringList(), QStringList { QStringLiteral("Times New Roman") });
    EXPECT_DOUBLE_EQ(end.fontPointSize(), 16.0);
}

TEST(RichTextFile, DamagedRtfGivesWhatCouldBeRead)
{
    for (const QByteArray &bad :
         { QByteArray("{\\rtf1 Anfang {\\b fett"), QByteArray("{\\rtf1 a}}}}} b"),
           QByteArray("{\\rtf1 \\'"), QByteArray("{\\rtf1 \\u"),
           QByteArray("{\\rtf1 \\fs99999999999999 x}"), QByteArray("{\\rtf1 \\"),
           QByteArray("{\\rtf1 {\\colortbl \\red999;}\\cf1 y}") }) {
        QTextDocument doc;
        richtextfile::fromRtf(bad, doc);
        EXPECT_LE(doc.toPlainText().size(), bad.size()) << bad.toStdString();
    }
    QTextDocument doc;
    richtextfile::fromRtf("{\\rtf1 Anfang {\\b fett", doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Anfang fett"));
}

TEST(RichTextFile, PlainTextFilesOpenAsTheirLines)
{
    EXPECT_FALSE(richtextfile::isRtf("Notizen"));
    EXPECT_TRUE(richtextfile::isRtf("\xEF\xBB\xBF\r\n {\\rtf1}"));
    QTextDocument doc;
    richtextfile::load("Eingangslied: EG 1\r\nF\xfc rbitte\rSegen\nEnde", doc);
    EXPECT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Eingangslied: EG 1\nFü rbitte\nSegen\nEnde"));
}

TEST(RichTextFile, FilesAreWrittenWholeAndFailuresSaySo)
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Notiz"));
    EXPECT_FALSE(richtextfile::writeFile(dir.filePath(QStringLiteral("fehlt/notiz")), doc)
                     .error()
                     .isEmpty());
    QTextDocument untouched;
    untouched.setPlainText(QStringLiteral("bleibt"));
    EXPECT_FALSE(richtextfile::readFile(dir.filePath(QStringLiteral("gibt-es-nicht")), untouched)
                     .error()
                     .isEmpty());
    EXPECT_EQ(untouched.toPlainText(), QStringLiteral("bleibt"));
}

// Every way a note makes a paragraph is counted before reading, and reading itself stops at
// the limit, so no note can build more paragraphs than kMaxParagraphs.
TEST(RichTextFile, EveryWayOfMakingAParagraphCountsTowardsTheLimit)
{
    struct Case
    {
        const char *what;
        QByteArray paragraph; // makes one paragraph after "x"
    };
    const Case cases[] = {
        { "par", "x\\par " },
        { "backslash line break", "x\\\n" },
        { "hex line feed", "x\\'0a" },
        { "hex carriage return", "x\\'0D" },
        { "unicode 10", "x\\u10?" },
        { "unicode 13", "x\\u13?" },
        { "paragraph separator", "x\\u8233?" },
        { "negative unicode", "x\\u-65526?" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        // The smallest case: one paragraph made, one counted.
        const QByteArray one = "{\\rtf1 a" + c.paragraph.mid(1) + "b}";
        EXPECT_EQ(richtextfile::paragraphBreaks(one), 1);
        QTextDocument small;
        richtextfile::fromRtf(one, small);
        EXPECT_EQ(small.blockCount(), 2);
        EXPECT_EQ(small.toPlainText(), QStringLiteral("a\nb"));

        const QByteArray many
            = "{\\rtf1 " + c.paragraph.repeated(richtextfile::kMaxParagraphs + 10) + "}";
        EXPECT_GE(richtextfile::paragraphBreaks(many), richtextfile::kMaxParagraphs);
        QTextDocument doc;
        richtextfile::fromRtf(many, doc);
        EXPECT_LT(doc.blockCount(), richtextfile::kMaxParagraphs);
        EXPECT_GT(doc.blockCount(), richtextfile::kMaxParagraphs - 10);
    }
    // The frame marks of the document are no text.
    QTextDocument frames;
    richtextfile::fromRtf("{\\rtf1 a\\u-560?\\u-559?b}", frames);
    EXPECT_EQ(frames.toPlainText(), QStringLiteral("ab"));
    EXPECT_EQ(frames.blockCount(), 1);
}

TEST(RichTextFile, DeepGroupNestingKeepsTheStateOfTheGroups)
{
    // Far deeper than kept: the groups still close in order and the state after them is the
    // one before them.
    const int depth = 100000;
    const QByteArray rtf = "{\\rtf1 {\\b fett" + QByteArray(depth, '{') + "tief"
        + QByteArray(depth, '}') + " noch}{\\i} normal}";
    QTextDocument doc;
    richtextfile::fromRtf(rtf, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("fetttief noch normal"));
    EXPECT_TRUE(charFormatAt(doc, find(doc, QStringLiteral("tief"))).font().bold());
    EXPECT_TRUE(charFormatAt(doc, find(doc, QStringLiteral("noch"))).font().bold());
    EXPECT_FALSE(charFormatAt(doc, find(doc, QStringLiteral("normal"))).font().bold());
}
