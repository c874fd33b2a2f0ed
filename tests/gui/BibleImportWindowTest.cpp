// Reading a Bible in from the tab "Perikope" through the real dialogs, and the web view's own
// page for an address that cannot be loaded.
#include "bible/PassageLookup.h"
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

// A Zefania Bible of the size of a whole Bible: 66 books, 31,350 verses.
QByteArray fullSizeZefania()
{
    QByteArray xml = "<?xml version='1.0' encoding='UTF-8'?>\n<XMLBIBLE>";
    for (int book = 1; book <= 66; ++book) {
        xml += "<BIBLEBOOK bnumber='" + QByteArray::number(book) + "'>";
        for (int chapter = 1; chapter <= 25; ++chapter) {
            xml += "<CHAPTER cnumber='" + QByteArray::number(chapter) + "'>";
            for (int verse = 1; verse <= 19; ++verse)
                xml += "<VERS vnumber='" + QByteArray::number(verse)
                    + "'>Und es begab sich zu der Zeit, dass ein Gebot ausging, dass alle Welt "
                      "geschätzt würde, und jedermann ging, dass er sich schätzen ließe.</VERS>";
            xml += "</CHAPTER>";
        }
        xml += "</BIBLEBOOK>";
    }
    return xml + "</XMLBIBLE>\n";
}

class BibleImportWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = makeMainWindow(&dialogs);
        dialogs->messages.clear();
        env.writeProgramFile(u"libs/Bibel/Mk.lib"_s, kOldBible);
    }

    // Clicks "Bibeltext einlesen …", chooses the file in the real dialog and, when asked,
    // cancels the real progress dialog as soon as it shows.
    void importThroughTheWindow(const QString &file, bool cancel = false)
    {
        bool chosen = false;
        bool cancelled = false;
        QTimer answer;
        answer.setInterval(2);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!chosen && modal && modal->objectName() == u"dlgBibelImport"_s) {
                chosen = true;
                modal->findChild<QLineEdit *>(u"edtQuelle"_s)->setText(file);
                modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            }
            auto *progress = window->findChild<QProgressDialog *>(u"dlgBibelImportFortschritt"_s);
            if (cancel && !cancelled && progress && progress->isVisible()) {
                cancelled = true;
                progress->findChild<QPushButton *>()->click();
            }
        });
        answer.start();
        window->findChild<QPushButton *>(u"btnBibelImport"_s)->click();
        EXPECT_TRUE(chosen);
        EXPECT_EQ(cancelled, cancel);
    }

    QString lastMessage() const { return dialogs->messages.value(dialogs->messages.size() - 1); }

    static constexpr char kOldBible[] = "[Kapitel 1]\r\n1=Die alte Fassung\r\n";
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(BibleImportWindowTest, ImportsAFileAndTheTabShowsTheSermonTextAtOnce)
{
    QTemporaryDir source;
    writeFileBytes(source.path() + u"/bibel.xml"_s, fullSizeZefania());
    // On the tab "Perikope", the sermon text entered: the new Bible shows it without the tab
    // being left and shown again.
    control<QTabWidget>(*window, "pclPageControl")
        ->setCurrentWidget(control<QWidget>(*window, "tshPerikope"));
    dialogs->messages.clear(); // the day's own sermon text is not in the old Bible
    control<QLineEdit>(*window, "txtPredigttext")->setText(u"Mk 1,2-3"_s);
    importThroughTheWindow(source.path() + u"/bibel.xml"_s);
    const QString shown = control<QTextEdit>(*window, "rchBibelstelle")->toPlainText();
    EXPECT_TRUE(shown.contains(u"Mk 1,2-3"_s) && shown.contains(u"Und es begab sich"_s))
        << s(shown);
    ASSERT_EQ(dialogs->messages.size(), 1) << s(dialogs->messages.join(u"|"_s));
    EXPECT_TRUE(lastMessage().startsWith(u"66 Bücher mit 1650 Kapiteln und 31350 Versen "
                                         u"eingelesen"_s))
        << s(lastMessage());
    EXPECT_TRUE(bible::lookUpPassage(u"Mk 1,1"_s).verseLines.value(0).startsWith(u"1) Und es"_s));
    EXPECT_EQ(QDir(env.programDir() + u"/libs"_s)
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList { u"Bibel"_s });
}

TEST_F(BibleImportWindowTest, CancelledOrFailedImportLeavesTheEarlierBibleAsItWas)
{
    QTemporaryDir source;
    writeFileBytes(source.path() + u"/bibel.xml"_s, fullSizeZefania());
    importThroughTheWindow(source.path() + u"/bibel.xml"_s, true);
    EXPECT_EQ(s(lastMessage()),
              "Das Einlesen wurde abgebrochen. Die bisherigen Bibeldateien sind unverändert.");

    writeFileBytes(source.path() + u"/seite.xml"_s, "<html><body>Kein Bibeltext</body></html>");
    importThroughTheWindow(source.path() + u"/seite.xml"_s);
    EXPECT_TRUE(lastMessage().contains(u"ist keine OSIS-Bibel und keine Zefania-Bibel"_s))
        << s(lastMessage());

    EXPECT_EQ(QDir(env.programDir() + u"/libs/Bibel"_s).entryList(QDir::Files),
              QStringList { u"Mk.lib"_s });
    EXPECT_EQ(readFileBytes(env.programDir() + u"/libs/Bibel/Mk.lib"_s), QByteArray(kOldBible));
}

TEST(BibleImportWindow, WithoutABibleTheTabShowsOnlyHowToGetABibleText)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    // Start-up does not look at the Bible folder; the tab does when it is shown.
    EXPECT_TRUE(control<QTextEdit>(*window, "rchBibelstelle")->placeholderText().isEmpty());
    control<QLineEdit>(*window, "txtPredigttext")->setText(u"Lk 2,1-20"_s);
    for (int visit = 0; visit < 2; ++visit) {
        control<QTabWidget>(*window, "pclPageControl")
            ->setCurrentWidget(control<QWidget>(*window, "tshProprium"));
        control<QTabWidget>(*window, "pclPageControl")
            ->setCurrentWidget(control<QWidget>(*window, "tshPerikope"));
        EXPECT_TRUE(control<QTextEdit>(*window, "rchBibelstelle")
                        ->placeholderText()
                        .contains(u"Bibeltext einlesen …"_s));
        EXPECT_TRUE(control<QTextEdit>(*window, "rchBibelstelle")->document()->isEmpty());
        EXPECT_TRUE(dialogs->messages.isEmpty()) << s(dialogs->messages.join(u'|'));
    }
    // A passage asked for by its button: no message, the hint, and the tab.
    control<QTabWidget>(*window, "pclPageControl")
        ->setCurrentWidget(control<QWidget>(*window, "tshProprium"));
    control<QLineEdit>(*window, "txtEpistel")->setText(u"Röm 8,14-17"_s);
    control<QPushButton>(*window, "btnOpenEpistel")->click();
    EXPECT_TRUE(dialogs->messages.isEmpty()) << s(dialogs->messages.join(u'|'));
    EXPECT_TRUE(control<QTextEdit>(*window, "rchBibelstelle")->document()->isEmpty());
    EXPECT_EQ(control<QTabWidget>(*window, "pclPageControl")->currentWidget(),
              control<QWidget>(*window, "tshPerikope"));
    window->document().setModified(false);
}

TEST(BibleImportWindow, UnreachableOnlinePageIsExplainedInGerman)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    // A psalm is shown online only: the first one makes the web view.
    control<QLineEdit>(*window, "txtPsalm")->setText(u"Psalm 23"_s);
    control<QPushButton>(*window, "btnOpenPsalm")->click();
    auto *view = window->findChild<QWebEngineView *>(u"brsBrowser"_s);
    ASSERT_TRUE(view);
    // Nothing listens on the discard port of this machine.
    view->setUrl(QUrl(u"http://127.0.0.1:9/text/LUT/Mk 1,9-15"_s));
    QString html;
    for (int i = 0; i < 300 && !html.contains(u"konnte nicht geladen werden"_s); ++i) {
        view->page()->toHtml([&html](const QString &page) { html = page; });
        QTest::qWait(50);
    }
    EXPECT_TRUE(html.contains(u"Die Seite <b>http://127.0.0.1:9/text/LUT/Mk 1,9-15</b> konnte "
                              u"nicht geladen werden"_s))
        << s(html);
    EXPECT_TRUE(html.contains(u"Der Bibeltext oben (offline) bleibt nutzbar."_s));
}
