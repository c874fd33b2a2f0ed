// Generating the order of service in the real main window: what the view txtAblauf shows,
// line by line with its format, and what the click does around it.
#include "gui/FrmMain.h"
#include "order/OrderText.h"
#include "storage/LiturgicalTexts.h"
#include "tests/order/OrderCases.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"

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
    QPalette palette = w.lblTagesname->palette();
    palette.setColor(QPalette::Window, colour);
    w.lblTagesname->setPalette(palette);
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
    w.lblTagesname->setText(in.dayPanelCaption);
    setDayColour(w, QColor(in.colour & 0xFF, (in.colour >> 8) & 0xFF, (in.colour >> 16) & 0xFF));
    w.cmbTag->setEditText(in.dayEntry);
    w.lblPredigtreiheWert->setText(in.series);
    w.txtWochenspruch->setText(in.wochenspruch);
    w.txtPsalm->setText(in.psalm);
    w.txtEpistel->setText(in.epistel);
    w.txtEvangelium->setText(in.evangelium);
    w.txtPredigttext->setText(in.predigttext);
    w.txtEingangslied->setText(in.eingangslied);
    w.txtWochenlied->setText(in.wochenlied);
    w.txtVorpredigtslied->setText(in.vorpredigtslied);
    w.txtKollektenlied->setText(in.kollektenlied);
    w.txtAusgangslied->setText(in.ausgangslied);
    setMemo(w.txtDialog1, in.dialog1);
    setMemo(w.txtDialog2, in.dialog2);
    setMemo(w.txtDialog3, in.dialog3);
    setMemo(w.txtGloriaPatri, in.gloriaPatri);
    setMemo(w.txtKyrie, in.kyrie);
    setMemo(w.txtGloriaExcelsis, in.gloriaExcelsis);
    setMemo(w.txtCredo, in.credo);
    setMemo(w.txtVaterUnser, in.vaterUnser);
    setMemo(w.txtSegen, in.segen);
    w.setSequenceEntries(in.sequence);
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
    w->btnCompile->click();
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_EQ(ordercases::encodeLines(viewLines(w->txtAblauf)), bare.expected);

    // With the text files of the case in the program's text folder.
    const WindowCase withFiles = loadCase("longest-list-with-text-files");
    copyTextFolder(withFiles.order, env);
    prepare(*w, withFiles.order.input);
    w->btnCompile->click();
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_EQ(ordercases::encodeLines(viewLines(w->txtAblauf)), withFiles.expected);
}

TEST(OrderTextWindow, BuiltInTextsAndTheDayPanelsColourSteerTheView)
{
    TestEnvironment env;
    removeTextFolder(env);
    auto w = makeMainWindow();
    w->setSequenceEntries(
        { QStringLiteral("Kyrie"), QStringLiteral("Gloria Excelsis"), QStringLiteral("Epistel") });
    w->txtEpistel->setText(QStringLiteral("Röm 13,8-12"));

    // Violet, as the day panel is painted for Advent: the Gloria in excelsis only on the day
    // named exactly "1. Advent".
    w->lblTagesname->setText(QStringLiteral("   1. Advent"));
    setDayColour(*w, QColor(0xAA, 0x00, 0xAA));
    EXPECT_EQ(w->dayColour(), ordertext::kViolet);
    w->btnCompile->click();
    QList<ordertext::Line> lines = viewLines(w->txtAblauf).mid(3);
    QStringList texts;
    for (const auto &line : lines)
        texts.append(line.text);
    QStringList expected = liturgicaltexts::builtInText(liturgicaltexts::Memo::Kyrie);
    expected.append(QString());
    expected += liturgicaltexts::builtInText(liturgicaltexts::Memo::GloriaExcelsis);
    expected += { QString(), QStringLiteral("Epistel: Röm 13,8-12"), QString() };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(lines.at(1).text, QStringLiteral("   Herr, erbarme dich."));

    w->lblTagesname->setText(QStringLiteral("   1. Sonntag im Advent"));
    w->btnCompile->click();
    EXPECT_EQ(w->txtAblauf->document()->blockCount(), 3 + 7 + 2);

    // Black: no Gloria, no Halleluja. Another colour: both.
    setDayColour(*w, Qt::black);
    EXPECT_EQ(w->dayColour(), ordertext::kBlack);
    w->lblTagesname->setText(QStringLiteral("   Karfreitag"));
    w->btnCompile->click();
    EXPECT_EQ(w->txtAblauf->document()->blockCount(), 3 + 7 + 2);
    setDayColour(*w, QColor(0x00, 0x80, 0x00));
    w->btnCompile->click();
    EXPECT_EQ(w->txtAblauf->document()->blockCount(), 3 + 7 + 11 + 3);
    EXPECT_TRUE(w->txtAblauf->toPlainText().contains(QStringLiteral("\nHalleluja!\n")));
}

TEST(OrderTextWindow, EmptyListGivesTheHeadingInTenPointBold)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, {});
    w->btnCompile->click();
    EXPECT_EQ(ordercases::encodeLines(viewLines(w->txtAblauf)), heading());
}

TEST(OrderTextWindow, GeneratingShowsTheViewReplacesEditsAndLeavesTheModifiedFlag)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, { QStringLiteral("Fürbitte"), QStringLiteral("Vaterunser") });
    w->pclPageControl->setCurrentWidget(w->tshProprium);
    w->setModified(1);

    // Text typed by the user, in a format of its own, is replaced entirely.
    w->txtAblauf->setHtml(QStringLiteral("<h1>Alt</h1><p><b>fett</b> und <i>kursiv</i></p>"));
    w->btnCompile->click();
    EXPECT_EQ(w->pclPageControl->currentWidget(), w->tshLiturgie);
    EXPECT_EQ(w->Modified(), 1);
    EXPECT_EQ(ordercases::encodeLines(viewLines(w->txtAblauf)),
              heading() + QStringLiteral(R"(B|Fürbitte:
I|<selbst einfügen>
R|
R|Gemeinsam beten wir:
R|Vater Unser im Himmel,
R|Amen.
R|
)"));
    // No paragraph formatting of any kind.
    for (QTextBlock b = w->txtAblauf->document()->begin(); b.isValid(); b = b.next()) {
        EXPECT_EQ(b.blockFormat(), QTextBlockFormat()) << b.text().toStdString();
        EXPECT_TRUE(b.charFormat().fontFamilies().toStringList().isEmpty());
    }

    // The user may edit the generated text; it stays until the next generation.
    w->txtAblauf->append(QStringLiteral("Kirchenkaffee"));
    EXPECT_TRUE(w->txtAblauf->toPlainText().endsWith(QStringLiteral("Kirchenkaffee")));
    w->setModified(0);
    w->btnCompile->click();
    EXPECT_FALSE(w->txtAblauf->toPlainText().contains(QStringLiteral("Kirchenkaffee")));
    EXPECT_EQ(w->Modified(), 0);
}

TEST(OrderTextWindow, ViewIsVerdanaEightUnwrappedAndEditable)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    EXPECT_TRUE(w->txtAblauf->toPlainText().isEmpty());
    EXPECT_EQ(w->txtAblauf->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(w->txtAblauf->font().pointSize(), 8);
    EXPECT_EQ(w->txtAblauf->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(w->txtAblauf->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w->txtAblauf->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(w->txtAblauf->tabChangesFocus());
    EXPECT_FALSE(w->txtAblauf->isReadOnly());
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
    w->btnCompile->click();
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.constFirst().contains(QStringLiteral("taufgebet.txt")));
    EXPECT_EQ(ordercases::encodeLines(viewLines(w->txtAblauf)), c.expected);
}

TEST(OrderTextWindow, PageRectangleHasFifteenMillimetreMarginsOfThePrinterAtGeneration)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    prepareSequence(*w, {});
    EXPECT_TRUE(w->pageRect().isNull());

    // Whatever printer the machine has, or none: generating works and sets a rectangle.
    w->btnCompile->click();
    EXPECT_FALSE(w->pageRect().isEmpty());
    EXPECT_EQ(w->txtAblauf->document()->blockCount(), 3);

    // A PDF printer on A4 at 600 dpi has no unprintable strip: 15 mm are 354.33 dots, which
    // rounds to 354. Right and bottom are counted from the sheet's edge.
    QPrinter &printer = w->currentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(env.home() + QStringLiteral("/druck.pdf"));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    const QSize sheet = printer.pageLayout().fullRectPixels(600).size();
    EXPECT_NEAR(sheet.width(), 4961, 3); // 210 mm
    w->btnCompile->click();
    const QRect rect600 = w->pageRect();
    EXPECT_EQ(rect600.left(), 354);
    EXPECT_EQ(rect600.top(), 354);
    EXPECT_EQ(rect600.right() + 1, sheet.width() - 354);
    EXPECT_EQ(rect600.bottom() + 1, sheet.height() - 354);

    // Another printer afterwards leaves the rectangle until the next generation.
    printer.setResolution(300);
    EXPECT_EQ(w->pageRect(), rect600);
    w->btnCompile->click();
    EXPECT_EQ(w->pageRect().left(), 177); // 177.17
}

} // namespace
