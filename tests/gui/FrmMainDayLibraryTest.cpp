// The day panel with the real liturgical data library.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(FrmMainDayLibrary, ChoosingDaysFillsTheRealPropers)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2025, 12, 20));
    ScriptedDialogs *dialogs = nullptr;
    const auto window = makeMainWindow(&dialogs);
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(),
              QStringLiteral("21.12.2025 - 4. Sonntag im Advent"));
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->toolTip(), QStringLiteral("2025"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(),
              QStringLiteral("   4. Sonntag im Advent"));
    EXPECT_FALSE(control<QLineEdit>(*window, "txtEvangelium")->text().isEmpty());

    const auto choose = [&](const QString &entry) {
        const int index = control<QComboBox>(*window, "cmbTag")->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        control<QComboBox>(*window, "cmbTag")->setCurrentIndex(index);
    };
    const QList<QLabel *> labels
        = { control<QLabel>(*window, "lblTagesname"), control<QLabel>(*window, "lblPredigtreihe"),
            control<QLabel>(*window, "lblPredigtreiheWert") };

    // Christvesper: white, so black text; the sermon text of series 2.
    choose(QStringLiteral("24.12.2025 - Christvesper"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(255, 255, 255));
    for (QLabel *label : labels)
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEpistel")->text(), QStringLiteral("Gal 4,4-7"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEvangelium")->text(), QStringLiteral("Lk 2,1-20"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtPredigttext")->text(),
              QStringLiteral("Hes 37,24-28"));

    // 1. Sonntag im Advent: violet, white text; the verse of the week crosses in Windows-1252.
    choose(QStringLiteral("30.11.2025 - 1. Sonntag im Advent"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(0xAA, 0x00, 0xAA));
    for (QLabel *label : labels)
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(control<QLineEdit>(*window, "txtWochenspruch")
                    ->text()
                    .startsWith(QStringLiteral("Siehe, dein König")));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEpistel")->text(), QStringLiteral("Röm 13,8-12"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtPredigttext")->text(), QStringLiteral("Röm 13,8-12"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}
