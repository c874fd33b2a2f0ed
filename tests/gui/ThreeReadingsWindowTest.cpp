// Three readings through the real window and the real liturgical data library: the day's Old
// Testament reading in its own field, "Drei Lesungen" placing it before the epistle in the
// order, the choice and the field saved and found again by a new window on the same data, and
// the lector's readings reading it in the psalm's stead. Also both propers of the Israel Sunday
// in the day list.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/bible/TestBible.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString kThirdAdvent = QStringLiteral("14.12.2025 - 3. Sonntag im Advent");

class ThreeReadingsWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2025, 12, 10));
        window = makeMainWindow(&dialogs);
    }

    void TearDown() override
    {
        window->document().setModified(false);
        window.reset();
        appclock::setTodayForTesting({});
    }

    void choose(const QString &entry)
    {
        auto *days = control<QComboBox>(*window, "cmbTag");
        const int index = days->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        days->setCurrentIndex(index);
    }

    QString field(const char *name) const { return control<QLineEdit>(*window, name)->text(); }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(ThreeReadingsWindow, ChosenSavedFoundAgainAndReadToTheLector)
{
    // The start selects the coming Sunday with the psalm and the Old Testament reading apart.
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(), kThirdAdvent);
    EXPECT_EQ(field("txtPsalm"), QStringLiteral("Psalm 85,2-8"));
    EXPECT_EQ(field("txtATLesung"), QStringLiteral("Jes 40,1-11"));
    const QStringList twoReadings = shownSequence(*window);
    EXPECT_FALSE(twoReadings.contains(QStringLiteral("AT-Lesung")));

    // The pastor shortens the reading and chooses three readings.
    control<QLineEdit>(*window, "txtATLesung")->setText(QStringLiteral("Jes 40,1-8"));
    control<QCheckBox>(*window, "chkDreiLesungen")->click();
    EXPECT_TRUE(window->isWindowModified());
    QStringList threeReadings = twoReadings;
    threeReadings.insert(twoReadings.indexOf(QStringLiteral("Epistel")),
                         QStringLiteral("AT-Lesung"));
    EXPECT_EQ(shownSequence(*window), threeReadings);

    control<QPushButton>(*window, "btnCompile")->click();
    const QString order = control<QTextEdit>(*window, "txtAblauf")->toPlainText();
    const qsizetype reading = order.indexOf(QStringLiteral("AT-Lesung: Jes 40,1-8"));
    EXPECT_GE(reading, 0) << order.toStdString();
    EXPECT_LT(reading, order.indexOf(QStringLiteral("Epistel: ")));

    const QString path = env.dataDir() + QStringLiteral("/2/2 3. Sonntag im Advent.ini");
    dialogs->fileNames.push_back(path);
    control<QToolButton>(*window, "btnSave")->click();
    ASSERT_FALSE(window->isWindowModified());

    // A new window on the same data finds the day's preparation as it was saved.
    window.reset();
    window = makeMainWindow(&dialogs);
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(), kThirdAdvent);
    EXPECT_EQ(window->document().watchedPath(), path);
    EXPECT_EQ(field("txtATLesung"), QStringLiteral("Jes 40,1-8"));
    EXPECT_TRUE(control<QCheckBox>(*window, "chkDreiLesungen")->isChecked());
    EXPECT_EQ(shownSequence(*window), threeReadings);
    EXPECT_FALSE(window->isWindowModified());

    // Taking the choice back takes the entry out again.
    control<QCheckBox>(*window, "chkDreiLesungen")->click();
    EXPECT_EQ(shownSequence(*window), twoReadings);
    control<QCheckBox>(*window, "chkDreiLesungen")->click();

    // The lector reads the Old Testament reading, not the psalm, before epistle and gospel.
    ASSERT_TRUE(bibletest::writeTestBible(env.programDir() + QStringLiteral("/libs/Bibel")));
    QString preview;
    ModalDialogs modal;
    modal.expect([&preview](QWidget &dialog) {
        preview = control<QTextEdit>(dialog, "txtLektorVorschau")->toPlainText();
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    control<QPushButton>(*window, "btnLektor")->click();
    EXPECT_EQ(modal.pendingHandlers(), 0U);
    const QString day = QStringLiteral(" – 3. Sonntag im Advent, 14.12.2025");
    const qsizetype first = preview.indexOf(QStringLiteral("Alttestamentliche Lesung") + day);
    ASSERT_GE(first, 0) << preview.toStdString();
    EXPECT_GT(preview.indexOf(QStringLiteral("Jes 40,1-8")), first);
    EXPECT_LT(preview.indexOf(QStringLiteral("Jes 40,1-8")),
              preview.indexOf(QStringLiteral("Epistel") + day));
    EXPECT_LT(preview.indexOf(QStringLiteral("Epistel") + day),
              preview.indexOf(QStringLiteral("Evangelium") + day));
    EXPECT_FALSE(preview.contains(QStringLiteral("Psalm") + day));
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}

TEST_F(ThreeReadingsWindow, TheIsraelSundayOffersBothPropers)
{
    const struct
    {
        QString entry;
        QColor colour;
        QString atLesung;
        QString gospel;
    } cases[] = {
        { QStringLiteral("09.08.2026 - 10. Sonntag nach Trinitatis"), QColor(0x00, 0x80, 0x00),
          QStringLiteral("2. Mose 19,1-6"), QStringLiteral("Mk 12,28-34") },
        { QStringLiteral("09.08.2026 - Gedenktag der Zerstörung Jerusalems"),
          QColor(0xAA, 0x00, 0xAA), QStringLiteral("Jes 27,2-9"), QStringLiteral("Lk 19,41-48") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        choose(c.entry);
        EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
                  c.colour);
        EXPECT_EQ(field("txtATLesung"), c.atLesung);
        EXPECT_EQ(field("txtEvangelium"), c.gospel);
    }
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}

} // namespace
