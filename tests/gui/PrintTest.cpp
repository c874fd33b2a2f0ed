// Printing the order view and the page-format button. Printing goes into a PDF file, as the
// printer set-up offers it, and the PDF is read back with poppler's tools.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "gui/PrinterAvailability.h"
#include "order/PageFormat.h"
#include "order/PdfNames.h"
#include "order/PrintLayout.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>

#include "gui/LiturgyPage.h"
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

constexpr double kMarginPt = 15.0 / 25.4 * 72.0; // 15 mm in PDF points

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word
{
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

// What poppler reads from a PDF: page count, title, page size and every word with its box.
struct PdfContent
{
    int pages = 0;
    QString title;
    double pageWidth = 0;
    double pageHeight = 0;
    QList<Word> words;

    QString pageText(int page) const
    {
        QStringList parts;
        for (const Word &w : words)
            if (w.page == page)
                parts.append(w.text);
        return parts.join(u' ');
    }
    QString allText() const
    {
        QStringList parts;
        for (const Word &w : words)
            parts.append(w.text);
        return parts.join(u' ');
    }
};

PdfContent readPdf(const QString &path)
{
    PdfContent pdf;
    const QString info = run(QStringLiteral("pdfinfo"), { path });
    pdf.pages
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    pdf.title = QRegularExpression(QStringLiteral("Title:\\s+([^\\n]*)"))
                    .match(info)
                    .captured(1)
                    .trimmed();

    const QString html
        = run(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    const QRegularExpression pageTag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    const QRegularExpression wordTag(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int page = 0;
    for (const QString &line : html.split(u'\n')) {
        if (const auto m = pageTag.match(line); m.hasMatch()) {
            ++page;
            pdf.pageWidth = m.captured(1).toDouble();
            pdf.pageHeight = m.captured(2).toDouble();
        } else if (const auto w = wordTag.match(line); w.hasMatch()) {
            pdf.words.append(
                { page, w.captured(1).toDouble(), w.captured(2).toDouble(),
                  w.captured(3).toDouble(), w.captured(4).toDouble(),
                  w.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&")) });
        }
    }
    return pdf;
}

class Printing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 3, 30));
        // This machine's printers must not matter: only a PDF file chosen in the set-up counts.
        printeravailability::setSystemPrintersForTesting(false);
        auto scripted = std::make_unique<PdfChoosingDialogs>();
        dialogs = scripted.get();
        StartOptions options;
        options.skipUpdateCheck = true;
        window = std::make_unique<TfrmMain>(std::move(scripted), options);
        window->document().setModified(false);
        pdfPath = env.home() + QStringLiteral("/ablauf.pdf");
    }

    void TearDown() override
    {
        window->document().setModified(false);
        window.reset();
        printeravailability::setSystemPrintersForTesting(std::nullopt);
    }

    // What the set-up dialog does when the user chooses printing into a file.
    void choosePdfPrinter()
    {
        dialogs->pdfPath = pdfPath;
        control<QPushButton>(*window, "btnPrinterSetup")->click();
    }

    // A view holding n numbered lines, as if generated: the page rectangle is the one every
    // generation sets.
    void fillView(int n)
    {
        QStringList lines;
        for (int i = 1; i <= n; ++i)
            lines.append(QStringLiteral("Zeile%1 des Ablaufs").arg(i));
        control<QPushButton>(*window, "btnCompile")->click();
        control<QTextEdit>(*window, "txtAblauf")->setPlainText(lines.join(u'\n'));
    }

    TestEnvironment env;
    PdfChoosingDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
    QString pdfPath;
};

// The numbers of the lines "ZeileN" on a page, in order.
QList<int> lineNumbers(const PdfContent &pdf, int page)
{
    QList<int> numbers;
    for (const Word &w : pdf.words)
        if (w.page == page && w.text.startsWith(QStringLiteral("Zeile")))
            numbers.append(w.text.mid(5).toInt());
    return numbers;
}

TEST_F(Printing, ALongOrderContinuesOnFurtherPagesInTheSameRectangle)
{
    choosePdfPrinter();
    window->document().setDay(QStringLiteral("Ostersonntag"),
                              window->document().preparation().series);
    fillView(250);

    control<QPushButton>(*window, "btnPrint")->click();

    ASSERT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'\n').toStdString();
    const PdfContent pdf = readPdf(pdfPath);
    EXPECT_EQ(pdf.title, QStringLiteral("Ostersonntag"));
    ASSERT_GE(pdf.pages, 3);
    // Every line once, in order, each page going on where the one before stopped.
    int expected = 1;
    for (int page = 1; page <= pdf.pages; ++page) {
        const QList<int> numbers = lineNumbers(pdf, page);
        ASSERT_FALSE(numbers.isEmpty()) << "page " << page;
        for (int n : numbers)
            EXPECT_EQ(n, expected++) << "page " << page;
    }
    EXPECT_EQ(expected, 251);
    // Full pages hold the same number of lines: the same rectangle on every page.
    EXPECT_EQ(lineNumbers(pdf, 1).size(), lineNumbers(pdf, 2).size());

    // 15 mm margins from the sheet's edge at the left and the top of every page. Right and
    // bottom are counted from the sheet's edge in the printable area's coordinates, so
    // there the printer's unprintable strip comes off the margin.
    const QMarginsF strip = control<LiturgyPage>(*window, "tshLiturgie")
                                ->printer()
                                .pageLayout()
                                .margins(QPageLayout::Point);
    for (const Word &w : pdf.words) {
        EXPECT_GE(w.xMin, kMarginPt - 0.5) << w.text.toStdString();
        EXPECT_GE(w.yMin, kMarginPt - 0.5) << w.text.toStdString();
        EXPECT_LE(w.xMax, pdf.pageWidth - kMarginPt + strip.left() + 0.5) << w.text.toStdString();
        EXPECT_LE(w.yMax, pdf.pageHeight - kMarginPt + strip.top() + 0.5) << w.text.toStdString();
    }
    // The last line of a full page reaches into the last line's height above that edge.
    double lowest = 0;
    for (const Word &w : pdf.words)
        if (w.page == 1)
            lowest = std::max(lowest, w.yMax);
    EXPECT_GT(lowest, pdf.pageHeight - kMarginPt + strip.top() - 20);
    // ... and the text starts right at the margin, not somewhere further in.
    const Word first = pdf.words.first();
    EXPECT_LT(first.xMin, kMarginPt + 2);
    EXPECT_LT(first.yMin, kMarginPt + 4);
}

TEST_F(Printing, PrintsTheViewWithTheUsersEdits)
{
    choosePdfPrinter();
    fillView(3);
    QTextCursor cursor(control<QTextEdit>(*window, "txtAblauf")->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nNachtrag Gemeindefest"));

    control<QPushButton>(*window, "btnPrint")->click();

    const PdfContent pdf = readPdf(pdfPath);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.allText().contains(QStringLiteral("Nachtrag Gemeindefest")))
        << pdf.allText().toStdString();
    EXPECT_TRUE(pdf.allText().contains(QStringLiteral("Zeile3")));
}

TEST_F(Printing, TextOfAViewNeverGeneratedFillsThePrintablePage)
{
    choosePdfPrinter();
    ASSERT_TRUE(control<LiturgyPage>(*window, "tshLiturgie")->pageRect().isEmpty());
    control<QTextEdit>(*window, "txtAblauf")
        ->setPlainText(QStringLiteral("Getippt ohne Generieren"));

    control<QPushButton>(*window, "btnPrint")->click();

    const PdfContent pdf = readPdf(pdfPath);
    ASSERT_FALSE(pdf.words.isEmpty());
    const QPageLayout layout = control<LiturgyPage>(*window, "tshLiturgie")->printer().pageLayout();
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    EXPECT_NEAR(pdf.words.first().xMin, printable.left(), 2.0);
    EXPECT_LT(pdf.words.first().xMin, kMarginPt - 5);
}

TEST_F(Printing, WithoutAnyPrinterNothingIsPrinted)
{
    fillView(3);
    control<QPushButton>(*window, "btnPrint")->click();
    EXPECT_EQ(dialogs->errors,
              QStringList { QStringLiteral("Es ist kein Standarddrucker ausgewählt.") });
    EXPECT_FALSE(QFileInfo::exists(pdfPath));

    // A cancelled set-up changes nothing.
    dialogs->errors.clear();
    control<QPushButton>(*window, "btnPrinterSetup")->click();
    EXPECT_EQ(dialogs->setups, 1);
    control<QPushButton>(*window, "btnPrint")->click();
    EXPECT_EQ(dialogs->errors.size(), 1);
}

TEST_F(Printing, AFileThatCannotBeWrittenIsReported)
{
    pdfPath = env.home() + QStringLiteral("/fehlt/ablauf.pdf");
    choosePdfPrinter();
    fillView(3);
    control<QPushButton>(*window, "btnPrint")->click();
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.first().startsWith(
        QStringLiteral("Der Ablauf konnte nicht gedruckt werden")));
    EXPECT_FALSE(QFileInfo::exists(pdfPath));
}

TEST_F(Printing, TheSetUpKeepsThePageRectangleOfTheLastGeneration)
{
    fillView(3);
    const QRect before = control<LiturgyPage>(*window, "tshLiturgie")->pageRect();
    control<LiturgyPage>(*window, "tshLiturgie")->printer().setResolution(300);
    choosePdfPrinter();
    EXPECT_EQ(control<LiturgyPage>(*window, "tshLiturgie")->pageRect(), before);
}

TEST_F(Printing, AnEmptyViewIsGeneratedFirst)
{
    choosePdfPrinter();
    ASSERT_TRUE(control<QTextEdit>(*window, "txtAblauf")->toPlainText().isEmpty());
    const QString day = control<QLabel>(*window, "lblTagesname")->text().trimmed();

    control<QPushButton>(*window, "btnPrint")->click();

    EXPECT_FALSE(control<QTextEdit>(*window, "txtAblauf")->toPlainText().isEmpty());
    EXPECT_FALSE(control<LiturgyPage>(*window, "tshLiturgie")->pageRect().isEmpty());
    const PdfContent pdf = readPdf(pdfPath);
    EXPECT_TRUE(pdf.allText().contains(QStringLiteral("Predigtreihe")))
        << pdf.allText().toStdString();
    EXPECT_TRUE(pdf.allText().contains(day.section(u' ', -1)));
    EXPECT_EQ(pdf.title, day);
}

TEST_F(Printing, AnotherDayWithoutGeneratingPrintsTheDayNowChosen)
{
    choosePdfPrinter();
    control<QPushButton>(*window, "btnCompile")->click();
    const QString generated = control<QTextEdit>(*window, "txtAblauf")->toPlainText();
    const QString firstLine = generated.section(u'\n', 0, 0);
    ASSERT_FALSE(firstLine.isEmpty());

    control<QComboBox>(*window, "cmbTag")
        ->setCurrentIndex(control<QComboBox>(*window, "cmbTag")->currentIndex() + 1);
    ASSERT_NE(control<QLabel>(*window, "lblTagesname")->text().trimmed(), firstLine);

    // The order of the earlier day is gone; printing generates the one of the day now chosen.
    EXPECT_TRUE(control<QTextEdit>(*window, "txtAblauf")->toPlainText().isEmpty());
    control<QPushButton>(*window, "btnPrint")->click();

    EXPECT_NE(control<QTextEdit>(*window, "txtAblauf")->toPlainText(), generated);
    const PdfContent pdf = readPdf(pdfPath);
    EXPECT_FALSE(pdf.pageText(1).startsWith(firstLine)) << pdf.pageText(1).toStdString();
    EXPECT_TRUE(
        pdf.pageText(1).startsWith(control<QLabel>(*window, "lblTagesname")->text().trimmed()))
        << pdf.pageText(1).toStdString();
    EXPECT_EQ(pdf.title, control<QLabel>(*window, "lblTagesname")->text().trimmed());
}

// The set-up takes the printer over, printing says where the order went, and the set-up
// proposes the order's own file by its day beside the PDF printed last.
TEST_F(Printing, PrintingSaysWhereTheOrderWentAndTheSetUpProposesItsOwnFile)
{
    choosePdfPrinter();
    EXPECT_EQ(dialogs->purposes, QList { Dialogs::PrinterPurpose::Setup });
    fillView(3);
    control<QPushButton>(*window, "btnPrint")->click();
    const auto *status = control<QStatusBar>(*window, "Status");
    EXPECT_EQ(status->currentMessage(),
              QStringLiteral("Der Ablauf wurde in die PDF-Datei %1 gedruckt.")
                  .arg(QDir::toNativeSeparators(pdfPath)));
    EXPECT_TRUE(QFileInfo::exists(pdfPath));

    dialogs->proposalTaken = true;
    control<QPushButton>(*window, "btnPrinterSetup")->click();
    const Preparation shown = window->document().preparation();
    const QString own = env.home() + u'/'
        + pdfnames::orderFileName(shown.dayName,
                                  QDate::fromString(window->document().dayStamp(),
                                                    QStringLiteral("yyyyMMdd")));
    ASSERT_EQ(dialogs->proposedFiles.size(), 2);
    EXPECT_EQ(dialogs->proposedFiles.last(), own);
    EXPECT_TRUE(own.contains(shown.dayName)) << own.toStdString();
    control<QPushButton>(*window, "btnPrint")->click();
    EXPECT_TRUE(QFileInfo::exists(own));
    EXPECT_EQ(status->currentMessage(),
              QStringLiteral("Der Ablauf wurde in die PDF-Datei %1 gedruckt.")
                  .arg(QDir::toNativeSeparators(own)));
}

// The real set-up dialog prints nothing, and its button says so.
TEST(PrinterSetup, TheSetUpDialogsButtonTakesTheChoiceOver)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 3, 30));
    const auto window = makeMainWindowWithQtDialogs();
    ModalDialogs modal;
    QString title;
    QStringList buttons;
    modal.expect([&](QWidget &dialog) {
        title = dialog.windowTitle();
        for (const QDialogButtonBox *box : dialog.findChildren<QDialogButtonBox *>()) {
            for (const QAbstractButton *button : box->buttons())
                buttons << button->text();
        }
        if (auto *d = qobject_cast<QDialog *>(&dialog))
            d->reject();
    });
    control<QPushButton>(*window, "btnPrinterSetup")->click();
    EXPECT_EQ(title, QStringLiteral("Druckereinrichtung"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Übernehmen"))) << buttons.join(u',').toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("&Drucken"))
                 || buttons.contains(QStringLiteral("Drucken")));
    window->document().setModified(false);
}

TEST(PrintLayout, MarginsAndTwips)
{
    orderprint::PrinterMetrics m;
    m.dpiX = 600;
    m.dpiY = 300;
    m.physicalSize = QSize(4961, 3508);
    m.offset = QPoint(100, 50);
    m.printableSize = QSize(4761, 3408);

    // 15 mm are 354.33 dots at 600 dpi and 177.17 at 300 dpi. Right and bottom are counted
    // from the sheet's edge, left and top from the printable area.
    const QRect rect = orderprint::pageRectFor(m);
    EXPECT_EQ(rect.left(), 354 - 100);
    EXPECT_EQ(rect.top(), 177 - 50);
    EXPECT_EQ(rect.left() + rect.width(), 4961 - 354);
    EXPECT_EQ(rect.top() + rect.height(), 3508 - 177);

    EXPECT_EQ(orderprint::mulDiv(15, 9600, 2540), 57);
    EXPECT_EQ(orderprint::mulDiv(1, 3, 2), 2);
    EXPECT_EQ(orderprint::mulDiv(-1, 3, 2), -2);

    // Twips with integer division; an empty rectangle stands for the printable page.
    const QRect twips = orderprint::toTwips(rect, m);
    EXPECT_EQ(twips.left(), 254 * 1440 / 600);
    EXPECT_EQ(twips.top(), 127 * 1440 / 300);
    EXPECT_EQ(twips.left() + twips.width(), 4607 * 1440 / 600);
    const QRect whole = orderprint::toTwips(QRect(), m);
    EXPECT_EQ(whole.topLeft(), QPoint(0, 0));
    EXPECT_EQ(whole.width(), 4761 * 1440 / 600);
    EXPECT_EQ(whole.height(), 3408 * 1440 / 300);
}

TEST(PageFormat, TheTwoGlyphsShowAnUprightAndALyingSheet)
{
    for (int format : { pageformat::kPortrait, pageformat::kLandscape }) {
        const QImage image = pageformat::glyph(format);
        ASSERT_EQ(image.size(), QSize(16, 16));
        QRect painted;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    painted |= QRect(x, y, 1, 1);
        if (format == pageformat::kPortrait)
            EXPECT_GT(painted.height(), painted.width());
        else
            EXPECT_GT(painted.width(), painted.height());
    }
}

TEST_F(Printing, PageFormatToggle)
{
    QPushButton *button = control<QPushButton>(*window, "btnSeitenformat");
    EXPECT_EQ(window->document().pageFormat(), 0);
    EXPECT_EQ(button->toolTip(),
              QStringLiteral("Schritt 2: Seitenformat wählen (Aktuell: Hochkant)"));
    const qint64 builtIn = button->icon().cacheKey();

    button->click();
    EXPECT_EQ(window->document().pageFormat(), 1);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Aktuell eingestelltes Format: Querformat"));
    EXPECT_NE(button->icon().cacheKey(), builtIn);
    EXPECT_EQ(button->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
              pageformat::glyph(1).convertToFormat(QImage::Format_ARGB32));

    button->click();
    EXPECT_EQ(window->document().pageFormat(), 0);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Aktuell eingestelltes Format: Hochformat"));
    EXPECT_EQ(button->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
              pageformat::glyph(0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(window->isWindowModified()); // saved with the preparation
}

} // namespace
