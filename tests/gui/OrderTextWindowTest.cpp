// Generating the order of service in the real main window: what the view txtAblauf shows,
// line by line with its format, and what the click does around it.
#include "gui/FrmMain.h"
#include "order/OrderText.h"
#include "storage/LiturgicalTexts.h"
#include "tests/order/OrderCases.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "gui/LiturgyPage.h"
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

ordertext::LineFormat formatOf(const QTextCharFormat &format, const QFont &viewFont)
{
    ordertext::LineFormat result;
    const qreal size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                      : viewFont.pointSizeF();
    result.pointSize = qRound(size);
    result.bold = format.fontWeight() >= QFont::Bold;
    result.italic = format.fontItalic();
    return result;
}

// The view's lines as the user sees them: the text of each paragraph and its format. A line
// whose parts differ in format shows as such.
QList<ordertext::Line> viewLines(const QTextEdit *view)
{
    QList<ordertext::Line> lines;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        ordertext::Line line { block.text(), formatOf(block.charFormat(), view->font()) };
        bool first = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const ordertext::LineFormat part = formatOf(it.fragment().charFormat(), view->font());
            if (first)
                line.format = part;
            else if (!(part == line.format))
                line.format.pointSize = -1;
            first = false;
        }
        lines.append(line);
    }
    return lines;
}

void setMemo(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(liturgicaltexts::memoText(lines));
}

void setDayColour(TfrmMain &w, const QColor &colour)
{
    w.document().setDayColour(
        ordertext::colourFromRgb(colour.red(), colour.green(), colour.blue()));
}

void setDayName(TfrmMain &w, const QString &name)
{
    w.document().setDay(name, w.document().preparation().series);
}

// A golden case of the order text: its input, and the expected lines without a reported error.
struct WindowCase
{
    ordercases::OrderCase order;
    QString expected;
};

WindowCase loadCase(const char *name)
{
    QString error;
    WindowCase c { ordercases::load(QString::fromUtf8(name), &error), QString() };
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    for (const QString &line :
         ordercases::readList(c.order.folder + QStringLiteral("/expected.txt")))
        if (!line.startsWith(QStringLiteral("Fehler: ")))
            c.expected += line + u'\n';
    return c;
}

// The heading of the day of the cases, alone.
QString heading()
{
    return loadCase("empty-list").expected;
}

// Puts the input of a case into the window's fields.
void prepare(TfrmMain &w, const ordertext::OrderInput &in)
{
    // The day entry first: choosing it loads its day, which the case's own day then replaces.
    control<QComboBox>(w, "cmbTag")->setEditText(in.dayEntry);
    w.document().setDay(in.dayPanelCaption, in.series);
    setDayColour(w, QColor(in.colour & 0xFF, (in.colour >> 8) & 0xFF, (in.colour >> 16) & 0xFF));
    control<QLineEdit>(w, "txtWochenspruch")->setText(in.wochenspruch);
    control<QLineEdit>(w, "txtPsalm")->setText(in.psalm);
    control<QLineEdit>(w, "txtEpistel")->setText(in.epistel);
    control<QLineEdit>(w, "txtEvangelium")->setText(in.evangelium);
    control<QLineEdit>(w, "txtPredigttext")->setText(in.predigttext);
    control<QLineEdit>(w, "txtEingangslied")->setText(in.eingangslied);
    control<QLineEdit>(w, "txtWochenlied")->setText(in.wochenlied);
    control<QLineEdit>(w, "txtVorpredigtslied")->setText(in.vorpredigtslied);
    control<QLineEdit>(w, "txtKollektenlied")->setText(in.kollektenlied);
    control<QLineEdit>(w, "txtAusgangslied")->setText(in.ausgangslied);
    setMemo(control<QPlainTextEdit>(w, "txtDialog1"), in.dialog1);
    setMemo(control<QPlainTextEdit>(w, "txtDialog2"), in.dialog2);
    setMemo(control<QPlainTextEdit>(w, "txtDialog3"), in.dialog3);
    setMemo(control<QPlainTextEdit>(w, "txtGloriaPatri"), in.gloriaPatri);
    setMemo(control<QPlainTextEdit>(w, "txtKyrie"), in.kyrie);
    setMemo(control<QPlainTextEdit>(w, "txtGloriaExcelsis"), in.gloriaExcelsis);
    setMemo(control<QPlainTextEdit>(w, "txtCredo"), in.credo);
    setMemo(control<QPlainTextEdit>(w, "txtVaterUnser"), in.vaterUnser);
    setMemo(control<QPlainTextEdit>(w, "txtSegen"), in.segen);
    w.document().setSequence(in.sequence);
}

void prepareSequence(TfrmMain &w, const QStringList &sequence)
{
    ordertext::OrderInput in = loadCase("empty-list").order.input;
    in.sequence = sequence;
    prepare(w, in);
}

// Copies the text folder of a case into the program folder's, folders included.
void copyTextFolder(const ordercases::OrderCase &c, const TestEnvironment &env)
{
    const QString from = c.folder + QStringLiteral("/Texte");
    const QString to = env.programDir() + QStringLiteral("/Texte");
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            writeFileBytes(target, readFileBytes(path));
    }
}

void removeTextFolder(const TestEnvironment &env)
{
    QDir(env.programDir() + QStringLiteral("/Texte")).removeRecursively();
}

TEST(OrderTextWindow, LongestListArrivesInTheViewWithEveryLineFormatted)
{
    TestEnvironment env;
    removeTextFolder(env);
    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    const WindowCase bare = loadCase("longest-list");
    prepare(*w, bare.order.input);
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_EQ(ordercases::encodeLines(viewLines(control<QTextEdit>(*w, "txtAblauf"))),
              bare.expected);

    // With the text files of the case in the program's text folder.
    const WindowCase withFiles = loadCase("longest-list-with-text-files");
    copyTextFolder(withFiles.order, env);
    prepare(*w, withFiles.order.input);
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_EQ(ordercases::encodeLines(viewLines(control<QTextEdit>(*w, "txtAblauf"))),
              withFiles.expected);
}

TEST(OrderTextWindow, BuiltInTextsAndTheDayPanelsColourSteerTheView)
{
    TestEnvironment env;
    removeTextFolder(env);
    auto w = makeMainWindow();
    w->document().setSequence(
        { QStringLiteral("Kyrie"), QStringLiteral("Gloria Excelsis"), QStringLiteral("Epistel") });
    control<QLineEdit>(*w, "txtEpistel")->setText(QStringLiteral("Röm 13,8-12"));

    // Violet, as the day panel is painted for Advent: the Gloria in excelsis only on the day
    // named exactly "1. Advent".
    setDayName(*w, QStringLiteral("1. Advent"));
    setDayColour(*w, QColor(0xAA, 0x00, 0xAA));
    EXPECT_EQ(w->document().dayColour(), ordertext::kViolet);
    control<QPushButton>(*w, "btnCompile")->click();
    QList<ordertext::Line> lines = viewLines(control<QTextEdit>(*w, "txtAblauf")).mid(3);
    QStringList texts;
    for (const auto &line : lines)
        texts.append(line.text);
    QStringList expected = liturgicaltexts::builtInText(liturgicaltexts::Memo::Kyrie);
    expected.append(QString());
    expected += liturgicaltexts::builtInText(liturgicaltexts::Memo::GloriaExcelsis);
    expected += { QString(), QStringLiteral("Epistel: Röm 13,8-12"), QString() };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(lines.at(1).text, QStringLiteral("   Herr, erbarme dich."));

    setDayName(*w, QStringLiteral("1. Sonntag im Advent"));
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->document()->blockCount(), 3 + 7 + 2);

    // Black: no Gloria, no Halleluja. Another colour: both.
    setDayColour(*w, Qt::black);
    EXPECT_EQ(w->document().dayColour(), ordertext::kBlack);
    setDayName(*w, QStringLiteral("Karfreitag"));
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->document()->blockCount(), 3 + 7 + 2);
    setDayColour(*w, QColor(0x00, 0x80, 0x00));
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->document()->blockCount(), 3 + 7 + 11 + 3);
    EXPECT_TRUE(control<QTextEdit>(*w, "txtAblauf")
                    ->toPlainText()
                    .contains(QStringLiteral("\nHalleluja!\n")));
}

TEST(OrderTextWindow, EmptyListGivesTheHeadingInTenPointBold)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, {});
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(ordercases::encodeLines(viewLines(control<QTextEdit>(*w, "txtAblauf"))), heading());
}

TEST(OrderTextWindow, GeneratingShowsTheViewReplacesEditsAndLeavesTheModifiedFlag)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, { QStringLiteral("Fürbitte"), QStringLiteral("Vaterunser") });
    control<QTabWidget>(*w, "pclPageControl")
        ->setCurrentWidget(control<QWidget>(*w, "tshProprium"));
    w->document().setModified(true);

    // Text typed by the user, in a format of its own, is replaced entirely.
    control<QTextEdit>(*w, "txtAblauf")
        ->setHtml(QStringLiteral("<h1>Alt</h1><p><b>fett</b> und <i>kursiv</i></p>"));
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(control<QTabWidget>(*w, "pclPageControl")->currentWidget(),
              control<QWidget>(*w, "tshLiturgie"));
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(ordercases::encodeLines(viewLines(control<QTextEdit>(*w, "txtAblauf"))),
              heading() + QStringLiteral(R"(B|Fürbitte:
I|<selbst einfügen>
R|
R|Gemeinsam beten wir:
R|Vater Unser im Himmel,
R|Amen.
R|
)"));
    // No paragraph formatting of any kind.
    for (QTextBlock b = control<QTextEdit>(*w, "txtAblauf")->document()->begin(); b.isValid();
         b = b.next()) {
        EXPECT_EQ(b.blockFormat(), QTextBlockFormat()) << b.text().toStdString();
        EXPECT_TRUE(b.charFormat().fontFamilies().toStringList().isEmpty());
    }

    // The user may edit the generated text; it stays until the next generation.
    control<QTextEdit>(*w, "txtAblauf")->append(QStringLiteral("Kirchenkaffee"));
    EXPECT_TRUE(control<QTextEdit>(*w, "txtAblauf")
                    ->toPlainText()
                    .endsWith(QStringLiteral("Kirchenkaffee")));
    w->document().setModified(false);
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_FALSE(control<QTextEdit>(*w, "txtAblauf")
                     ->toPlainText()
                     .contains(QStringLiteral("Kirchenkaffee")));
    EXPECT_FALSE(w->isWindowModified());
}

TEST(OrderTextWindow, ViewIsVerdanaEightUnwrappedAndEditable)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    EXPECT_TRUE(control<QTextEdit>(*w, "txtAblauf")->toPlainText().isEmpty());
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->font().pointSize(), 8);
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->horizontalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->verticalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(control<QTextEdit>(*w, "txtAblauf")->tabChangesFocus());
    EXPECT_FALSE(control<QTextEdit>(*w, "txtAblauf")->isReadOnly());
}

TEST(OrderTextWindow, UnreadableTextFileIsReportedAndTheLinesBeforeItStay)
{
    TestEnvironment env;
    removeTextFolder(env);
    const WindowCase c = loadCase("unreadable-text-file");
    copyTextFolder(c.order, env);
    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    prepare(*w, c.order.input);
    control<QPushButton>(*w, "btnCompile")->click();
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.constFirst().contains(QStringLiteral("taufgebet.txt")));
    EXPECT_EQ(ordercases::encodeLines(viewLines(control<QTextEdit>(*w, "txtAblauf"))), c.expected);
}

TEST(OrderTextWindow, PageRectangleHasFifteenMillimetreMarginsOfThePrinterAtGeneration)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, {});
    EXPECT_TRUE(control<LiturgyPage>(*w, "tshLiturgie")->pageRect().isNull());

    // Whatever printer the machine has, or none: generating works and sets a rectangle.
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_FALSE(control<LiturgyPage>(*w, "tshLiturgie")->pageRect().isEmpty());
    EXPECT_EQ(control<QTextEdit>(*w, "txtAblauf")->document()->blockCount(), 3);

    // A PDF printer on A4 at 600 dpi has no unprintable strip: 15 mm are 354.33 dots, which
    // rounds to 354. Right and bottom are counted from the sheet's edge.
    QPrinter &printer = control<LiturgyPage>(*w, "tshLiturgie")->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(env.home() + QStringLiteral("/druck.pdf"));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    const QSize sheet = printer.pageLayout().fullRectPixels(600).size();
    EXPECT_NEAR(sheet.width(), 4961, 3); // 210 mm
    control<QPushButton>(*w, "btnCompile")->click();
    const QRect rect600 = control<LiturgyPage>(*w, "tshLiturgie")->pageRect();
    EXPECT_EQ(rect600.left(), 354);
    EXPECT_EQ(rect600.top(), 354);
    EXPECT_EQ(rect600.right() + 1, sheet.width() - 354);
    EXPECT_EQ(rect600.bottom() + 1, sheet.height() - 354);

    // Another printer afterwards leaves the rectangle until the next generation.
    printer.setResolution(300);
    EXPECT_EQ(control<LiturgyPage>(*w, "tshLiturgie")->pageRect(), rect600);
    control<QPushButton>(*w, "btnCompile")->click();
    EXPECT_EQ(control<LiturgyPage>(*w, "tshLiturgie")->pageRect().left(), 177); // 177.17
}

} // namespace
