// The window without its plugins (an installation without the packages pergolan-office,
// pergolan-webview or pergolan-sword): the action that needs one says in German what is missing
// and which package brings it, and everything else goes on working.
#include "base/Plugins.h"
#include "gui/FrmMain.h"
#include "office/OfficeBridge.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

class MissingPluginsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(noPlugins.isValid());
        plugins::setFolderForTesting(noPlugins.path());
        window = makeMainWindow(&dialogs);
        ASSERT_TRUE(window->document().loadDay(u"06.12.2026 - 2. Sonntag im Advent"_s).ok());
        dialogs->messages.clear();
        dialogs->errors.clear();
    }
    void TearDown() override { plugins::setFolderForTesting({}); }

    TestEnvironment env;
    QTemporaryDir noPlugins;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(MissingPluginsTest, ExportNamesTheMissingOfficePluginAndTheWindowGoesOn)
{
    window->findChild<QAbstractButton *>(u"btnExport"_s)->click();
    ASSERT_EQ(dialogs->messages.size(), 1) << s(dialogs->messages.join(u'|'));
    const QString shown = dialogs->messages.first();
    EXPECT_TRUE(shown.contains(u"Zusatzmodul „libpergolan_office.so“"_s)) << s(shown);
    EXPECT_TRUE(shown.contains(u"Paket „pergolan-office“"_s)) << s(shown);
    // The order was generated for the export all the same and stays in the window.
    EXPECT_TRUE(window->findChild<QTextEdit *>(u"txtAblauf"_s)
                    ->toPlainText()
                    .startsWith(u"2. Sonntag im Advent"_s));
}

TEST_F(MissingPluginsTest, SermonClickSaysSoAndOpensTheTemplateCopy)
{
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    ASSERT_EQ(dialogs->messages.size(), 1) << s(dialogs->messages.join(u'|'));
    EXPECT_TRUE(dialogs->messages.first().contains(u"libpergolan_office.so"_s));
    const QString copy = env.dataDir() + u"/3/Predigten/3 20261206 - 2. Sonntag im Advent.odt"_s;
    EXPECT_TRUE(QFileInfo(copy).isFile());
    EXPECT_EQ(dialogs->openedUrls, QList<QUrl> { QUrl::fromLocalFile(copy) });
}

TEST_F(MissingPluginsTest, BibleImportSaysInOneLineHowToGetSwordAndStillReadsFiles)
{
    QString listed;
    bool swordEnabled = true;
    bool answered = false;
    QTimer answer;
    answer.setInterval(2);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (answered || !modal || modal->objectName() != u"dlgBibelImport"_s)
            return;
        answered = true;
        auto *modules = modal->findChild<QListWidget *>(u"lbxSwordModule"_s);
        listed = modules->count() == 1 ? modules->item(0)->text() : QString();
        swordEnabled = modal->findChild<QRadioButton *>(u"rbtSword"_s)->isEnabled();
        // A file import needs no plugin: it runs and reports its own outcome.
        modal->findChild<QLineEdit *>(u"edtQuelle"_s)->setText(noPlugins.path() + u"/fehlt.xml"_s);
        modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    answer.start();
    window->findChild<QPushButton *>(u"btnBibelImport"_s)->click();
    ASSERT_TRUE(answered);
    EXPECT_EQ(s(listed),
              "SWORD-Bibelmodule lassen sich einlesen, sobald das Paket „pergolan-sword“ "
              "installiert ist.");
    EXPECT_FALSE(swordEnabled);
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages.first().contains(u"fehlt.xml"_s)) << s(dialogs->messages.first());
}

TEST_F(MissingPluginsTest, PsalmShownOnlineNamesTheMissingWebViewPackage)
{
    // A psalm is shown online only: the first one makes the web view.
    control<QLineEdit>(*window, "txtPsalm")->setText(u"Psalm 23"_s);
    control<QPushButton>(*window, "btnOpenPsalm")->click();
    EXPECT_EQ(window->findChild<QWidget *>(u"brsBrowser"_s), nullptr);
    auto *reason = window->findChild<QLabel *>(u"lblBrowserFehler"_s);
    ASSERT_NE(reason, nullptr);
    EXPECT_TRUE(reason->text().contains(u"Paket „pergolan-webview“"_s)) << s(reason->text());
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

// The office plugin as built: it names the office's UNO libraries without a search path of its
// own, and loads all the same, in a program that links no UNO itself.
TEST(OfficePlugin, LoadsFromTheProgramFolderWithoutASearchPathOfItsOwn)
{
    plugins::setFolderForTesting(QString::fromLocal8Bit(qgetenv("PERGOLAN_PROGRAM_DIR")));
    const Result<OfficeBridge *> bridge = officebridge::load();
    plugins::setFolderForTesting({});
    EXPECT_TRUE(bridge.ok()) << s(bridge.error());
}
