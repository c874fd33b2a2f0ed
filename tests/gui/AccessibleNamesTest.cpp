// What a screen reader announces: every control of the windows has a name.
#include "gui/BibleImportDialog.h"
#include "gui/FrmMain.h"
#include "gui/MemoTool.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::SpinBox:
    case QAccessible::Table:
    case QAccessible::Tree:
        return true;
    default:
        return false;
    }
}

// What a screen reader announces for a control. Qt on Linux reports a combo box's value as
// its name and its label through the labelled-by relation; elsewhere it is the accessible name.
QString announcedName(QAccessibleInterface *iface)
{
    if (iface->role() != QAccessible::ComboBox)
        return iface->text(QAccessible::Name);
    for (const auto &[label, relation] : iface->relations(QAccessible::Label)) {
        QString text = label->text(QAccessible::Name).remove(u'&').trimmed();
        if (text.endsWith(u':'))
            text.chop(1);
        return text;
    }
    auto *widget = qobject_cast<QWidget *>(iface->object());
    return widget ? widget->accessibleName() : QString();
}

// The controls without a name, found by walking the accessible tree down from the window as a
// screen reader does. Hidden controls (other tabs, closed popups) are not announced.
void collectUnnamed(QAccessibleInterface *iface, QStringList &unnamed, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    auto *widget = qobject_cast<QWidget *>(iface->object());
    if (widget && !widget->isVisible())
        return;
    if (isControl(iface->role()) && announcedName(iface).trimmed().isEmpty()) {
        QString who = iface->object() ? iface->object()->objectName() : QString();
        if (who.isEmpty() && widget && widget->parentWidget())
            who = QStringLiteral("in ") + widget->parentWidget()->objectName();
        unnamed.append(QStringLiteral("%1 (Rolle %2)").arg(who).arg(iface->role()));
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collectUnnamed(iface->child(i), unnamed, depth + 1);
}

std::string unnamedControls(QWidget *window)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed.join(QStringLiteral(", ")).toStdString();
}

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? announcedName(iface) : QString();
}

} // namespace

TEST(AccessibleNames, EveryControlOfEveryTabHasAName)
{
    TestEnvironment env;
    StartOptions options;
    options.skipUpdateCheck = true;
    TfrmMain window(std::make_unique<ScriptedDialogs>(), options);
    window.show();
    // Only the shown tab's page is visible: each one is walked while it is shown.
    for (int tab = 0; tab < control<QTabWidget>(window, "pclPageControl")->count(); ++tab) {
        control<QTabWidget>(window, "pclPageControl")->setCurrentIndex(tab);
        EXPECT_EQ(unnamedControls(&window), "")
            << control<QTabWidget>(window, "pclPageControl")->tabText(tab).toStdString();
    }
}

TEST(AccessibleNames, FieldsAreNamedAfterTheirLabels)
{
    TestEnvironment env;
    StartOptions options;
    options.skipUpdateCheck = true;
    TfrmMain window(std::make_unique<ScriptedDialogs>(), options);
    window.show();
    const struct
    {
        const char *control;
        QString name;
    } cases[] = {
        { "cmbTag", QStringLiteral("Sonn- bzw. Feiertag") },
        { "txtEpistel", QStringLiteral("Epistel") },
        { "txtPsalm", QStringLiteral("Psalm") },
        { "txtATLesung", QStringLiteral("AT-Lesung") },
        { "btnOpenATLesung", QStringLiteral("AT-Lesung anzeigen") },
        { "txtGloriaExcelsis", QStringLiteral("Gloria Excelsis") },
        { "btnOpenPredigttext", QStringLiteral("Predigttext anzeigen") },
        { "BtnNew", QStringLiteral("Neu") },
        { "chkTaufe", QStringLiteral("Taufe") },
        { "dtpVon", QStringLiteral("Von") },
        { "grdLieder", QStringLiteral("Lieder im Zeitraum") },
        { "btnBibelImport", QStringLiteral("Bibeltext einlesen") },
    };
    for (const auto &c : cases) {
        auto *control = window.findChild<QWidget *>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(accessibleName(control), c.name) << c.control;
    }
    // A label leads to the field it names, and the field is called what the label says.
    for (const auto *label : window.findChildren<QLabel *>()) {
        if (!label->buddy() || label->text().isEmpty())
            continue;
        const QString name = accessibleName(label->buddy());
        EXPECT_FALSE(name.isEmpty()) << label->objectName().toStdString();
        EXPECT_TRUE(label->text().remove(u'&').startsWith(name))
            << label->objectName().toStdString() << ": " << name.toStdString();
    }
    EXPECT_EQ(control<QLabel>(window, "lblEpistel")->buddy(),
              control<QLineEdit>(window, "txtEpistel"));
}

TEST(AccessibleNames, NotesAndBibleImportWindowsNameTheirControls)
{
    TestEnvironment env;
    ScriptedDialogs dialogs;
    TfrmMemoTool notes(dialogs);
    notes.show();
    EXPECT_EQ(unnamedControls(&notes), "");
    EXPECT_EQ(accessibleName(notes.SpeedButton4), QStringLiteral("Notiz drucken"));

    BibleImportDialog import({}, dialogs);
    import.show();
    EXPECT_EQ(unnamedControls(&import), "");
}
