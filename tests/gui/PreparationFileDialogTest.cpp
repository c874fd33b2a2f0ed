// Saving and opening a preparation through Qt's real file dialog: what the user types or
// accepts there is the file that is written and found again.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString kAdvent = QStringLiteral("13.12.2026 - 3. Sonntag im Advent");

class PreparationFileDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 12, 7));
        window = makeMainWindowWithQtDialogs();
    }

    void TearDown() override
    {
        window->document().setModified(false);
        window.reset();
    }

    void choose(const QString &entry)
    {
        const int index = control<QComboBox>(*window, "cmbTag")->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        control<QComboBox>(*window, "cmbTag")->setCurrentIndex(index);
    }

    QString seriesFolder() const { return env.dataDir() + QStringLiteral("/3"); }

    TestEnvironment env;
    ModalDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(PreparationFileDialog, AcceptedProposalIsSavedAsIniAndFoundWhenTheDayIsChosenAgain)
{
    choose(kAdvent);
    ASSERT_EQ(control<QLabel>(*window, "lblTagesname")->text().trimmed(),
              QStringLiteral("3. Sonntag im Advent"));
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 17, 1-4"));
    control<QLineEdit>(*window, "txtAusgangslied")->setText(QStringLiteral("EG 16"));

    QString proposed;
    dialogs.expect(acceptFileDialog({}, &proposed));
    control<QToolButton>(*window, "btnSave")->click();

    EXPECT_EQ(proposed, QStringLiteral("3 3. Sonntag im Advent"));
    const QString stored = seriesFolder() + QStringLiteral("/3 3. Sonntag im Advent.ini");
    ASSERT_TRUE(QFileInfo(stored).isFile());
    EXPECT_FALSE(QFileInfo::exists(seriesFolder() + QStringLiteral("/3 3. Sonntag im Advent")));

    const int advent = control<QComboBox>(*window, "cmbTag")->currentIndex();
    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(advent + 1);
    EXPECT_TRUE(control<QLineEdit>(*window, "txtEingangslied")->text().isEmpty());
    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(advent);
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 17, 1-4"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtAusgangslied")->text(), QStringLiteral("EG 16"));
    EXPECT_EQ(window->windowTitle(), stored + QStringLiteral("[*]"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(PreparationFileDialog, TypedNameGetsTheExtensionUnlessItEndsInIt)
{
    const struct
    {
        QString typed;
        QString written;
    } cases[] = {
        { QStringLiteral("Advent"), QStringLiteral("Advent.ini") },
        { QStringLiteral("Advent 2. Teil"), QStringLiteral("Advent 2. Teil.ini") },
        { QStringLiteral("Gemeindefest.INI"), QStringLiteral("Gemeindefest.INI") },
        { QStringLiteral("Entwurf.txt"), QStringLiteral("Entwurf.txt.ini") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const QStringList before = QDir(seriesFolder()).entryList(QDir::Files);
        dialogs.expect(acceptFileDialog(c.typed));
        control<QToolButton>(*window, "btnSave")->click();
        QStringList added = QDir(seriesFolder()).entryList(QDir::Files);
        added.removeIf([&](const QString &name) { return before.contains(name); });
        EXPECT_EQ(added, QStringList { c.written });
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(PreparationFileDialog, OpenLoadsTheTypedFileAsItIsNamed)
{
    const QString easter
        = QStringLiteral(PERGOLAN_SOURCE_DIR "/tests/storage/data/Ostersonntag.ini");
    // A name that holds a dot before its extension gets nothing more when opened.
    for (const QString &name :
         { QStringLiteral("Ostern.ini"), QStringLiteral("3 3. Sonntag im Advent.ini") }) {
        SCOPED_TRACE(name.toStdString());
        const QString path = env.home() + QStringLiteral("/Ablage/") + name;
        writeFileBytes(path, readFileBytes(easter));
        window->document().setDay(QStringLiteral("Sonntag"), QStringLiteral("3"));
        control<QLineEdit>(*window, "txtEingangslied")->clear();

        // The fields set above are set aside: Nein.
        if (window->isWindowModified())
            dialogs.expectMessageBox(pressMessageBoxButton(QMessageBox::No));
        dialogs.expect(acceptFileDialog(path));
        control<QToolButton>(*window, "BtnOpen")->click();

        EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text().trimmed(),
                  QStringLiteral("Ostersonntag"));
        EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(),
                  QStringLiteral("EG 99 – Christ ist erstanden"));
        EXPECT_EQ(window->windowTitle().toStdString(), path.toStdString() + "[*]");
        // What was just opened is nothing that could be lost.
        EXPECT_FALSE(window->isWindowModified());
    }
    // Only the question about the fields set aside was shown.
    for (const ShownMessage &message : std::as_const(dialogs.messages))
        EXPECT_EQ(message.text, QStringLiteral("Die Änderungen speichern?"))
            << message.text.toStdString();
}
