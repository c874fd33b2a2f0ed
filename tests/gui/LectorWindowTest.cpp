// "Lesungen für den Lektor …" on the tab "Perikope", through the real window and its dialog: the
// printed PDF holds every reading's verses in order, and without a Bible the dialog says how to
// get one, the import one click away. (Which verses and notes a reading gives is the business
// of the lector's readings themselves.)
#include "base/Clock.h"
#include "bible/LectorReadings.h"
#include "gui/FrmMain.h"
#include "gui/PrinterAvailability.h"
#include "order/PdfNames.h"
#include "tests/bible/TestBible.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

class LectorWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 3, 30));
        printeravailability::setSystemPrintersForTesting(false);
        auto scripted = std::make_unique<PdfChoosingDialogs>();
        dialogs = scripted.get();
        dialogs->pdfPath = env.home() + QStringLiteral("/Lesungen.pdf");
        StartOptions options;
        options.skipUpdateCheck = true;
        window = std::make_unique<TfrmMain>(std::move(scripted), options);
    }

    void TearDown() override
    {
        window.reset();
        printeravailability::setSystemPrintersForTesting(std::nullopt);
        appclock::setTodayForTesting({});
    }

    void setField(const char *name, const QString &text)
    {
        control<QLineEdit>(*window, name)->setText(text);
    }

    // Opens the dialog with its button on the tab "Perikope"; `inside` works in it, then each
    // further handler in turn answers the next modal dialog.
    void openLectorDialog(ModalDialogs &modal)
    {
        control<QPushButton>(*window, "btnLektor")->click();
        EXPECT_EQ(modal.pendingHandlers(), 0U);
    }

    TestEnvironment env;
    PdfChoosingDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  { path, QStringLiteral("-") });
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

TEST_F(LectorWindow, PrintsEveryReadingWithItsVersesInOrderIntoAPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext fehlt (Debian: poppler-utils)";
    ASSERT_TRUE(bibletest::writeTestBible(env.programDir() + QStringLiteral("/libs/Bibel")));
    setField("txtATLesung", QStringLiteral("Jes 40,1-2(3-4)"));
    setField("txtEpistel", QStringLiteral("Röm 8,14-15.24"));
    setField("txtEvangelium", QStringLiteral("Mk 16,1-8"));
    setField("txtPredigttext", QStringLiteral("Joh 20,11-13"));

    ModalDialogs modal;
    modal.expect([](QWidget &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Lesungen für den Lektor"));
        EXPECT_EQ(control<QSpinBox>(dialog, "spnLektorSchrift")->value(), 14);
        // The preview opens at its first line.
        EXPECT_EQ(control<QTextEdit>(dialog, "txtLektorVorschau")->textCursor().position(), 0);
        auto *sermon = control<QCheckBox>(dialog, "chkLektorPredigttext");
        EXPECT_FALSE(sermon->isChecked());
        sermon->click();
        control<QSpinBox>(dialog, "spnLektorSchrift")->setValue(16);
        EXPECT_TRUE(control<QTextEdit>(dialog, "txtLektorVorschau")
                        ->toPlainText()
                        .contains(QStringLiteral("Predigttext – ")));
        control<QPushButton>(dialog, "btnLektorDrucken")->click();
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    openLectorDialog(modal);
    EXPECT_EQ(dialogs->messages, QStringList());

    const QString text = pdfText(dialogs->pdfPath);
    ASSERT_FALSE(text.isEmpty()) << "no PDF printed";
    const struct
    {
        const char *heading;
        const char *book;
        int chapter;
        QList<int> verses;
    } readings[] = {
        { "Alttestamentliche Lesung", "Jes", 40, { 1, 2, 3, 4 } },
        { "Epistel", "Röm", 8, { 14, 15, 24 } },
        { "Evangelium", "Mk", 16, { 1, 2, 3, 4, 5, 6, 7, 8 } },
        { "Predigttext", "Joh", 20, { 11, 12, 13 } },
    };
    qsizetype at = 0;
    for (const auto &r : readings) {
        const qsizetype heading
            = text.indexOf(QString::fromUtf8(r.heading) + QStringLiteral(" – "), at);
        ASSERT_GE(heading, at) << r.heading;
        at = heading;
        for (const int verse : r.verses) {
            const QString words
                = bibletest::madeUpVerseText(QString::fromUtf8(r.book), r.chapter, verse);
            const qsizetype next = text.indexOf(words, at);
            ASSERT_GT(next, at) << words.toStdString() << text.mid(at, 400).toStdString();
            at = next;
        }
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Jes 40,3-4 (wahlweise)")));
}

// A PDF chosen for the order before: the readings' print dialog proposes their own file beside
// it, the dialog says that the readings went there, and the order goes on into its own.
TEST_F(LectorWindow, ThePrintDialogProposesTheReadingsOwnPdf)
{
    ASSERT_TRUE(bibletest::writeTestBible(env.programDir() + QStringLiteral("/libs/Bibel")));
    setField("txtEvangelium", QStringLiteral("Mk 16,1-8"));
    const QString order = env.home() + QStringLiteral("/ablauf.pdf");
    dialogs->pdfPath = order;
    control<QPushButton>(*window, "btnPrinterSetup")->click();
    dialogs->proposalTaken = true;

    const QString own = env.home() + u'/'
        + pdfnames::lectorFileName(window->document().preparation().dayName,
                                   QDate::fromString(window->document().dayStamp(),
                                                     QStringLiteral("yyyyMMdd")));
    ModalDialogs modal;
    modal.expect([&own](QWidget &dialog) {
        auto *status = control<QLabel>(dialog, "lblLektorStatus");
        EXPECT_EQ(status->text(), QString());
        control<QPushButton>(dialog, "btnLektorDrucken")->click();
        // The dialog says where the readings went.
        EXPECT_EQ(status->text(),
                  QStringLiteral("Die Lesungen wurden in die PDF-Datei %1 gedruckt.")
                      .arg(QDir::toNativeSeparators(own)));
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    openLectorDialog(modal);
    EXPECT_EQ(dialogs->messages, QStringList());
    EXPECT_EQ(dialogs->proposedFiles.last(), own);
    EXPECT_EQ(dialogs->purposes.last(), Dialogs::PrinterPurpose::Print);
    EXPECT_TRUE(QFileInfo::exists(own));
    EXPECT_FALSE(QFileInfo::exists(order));

    control<QPushButton>(*window, "btnPrint")->click();
    EXPECT_TRUE(QFileInfo::exists(order));
    window->document().setModified(false);
}

TEST_F(LectorWindow, WithoutABibleSaysHowToGetOneAndOffersTheImport)
{
    setField("txtEvangelium", QStringLiteral("Mk 16,1-8"));
    ModalDialogs modal;
    modal.expect([](QWidget &dialog) {
        auto *message = control<QLabel>(dialog, "lblLektorKeineBibel");
        EXPECT_TRUE(message->isVisible());
        EXPECT_EQ(message->text(), lector::noBibleMessage());
        EXPECT_FALSE(control<QPushButton>(dialog, "btnLektorDrucken")->isEnabled());
        EXPECT_FALSE(control<QPushButton>(dialog, "btnLektorExport")->isEnabled());
        // Clicked once the handler is done, so that the import's dialog is answered in turn.
        QTimer::singleShot(0, control<QPushButton>(dialog, "btnLektorBibel"), &QPushButton::click);
    });
    modal.expect([](QWidget &import) {
        EXPECT_EQ(import.objectName(), QStringLiteral("dlgBibelImport"));
        if (auto *d = qobject_cast<QDialog *>(&import))
            d->reject();
    });
    modal.expect([](QWidget &dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("dlgLektor"));
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    openLectorDialog(modal);
    EXPECT_EQ(dialogs->messages, QStringList());
}

} // namespace
