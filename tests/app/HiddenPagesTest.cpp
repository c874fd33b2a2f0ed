// The program's own start puts the window on the screen before the pages of the hidden tabs
// are built; they follow its first frame. Afterwards the window must hold exactly what a window
// built at once holds, and a hidden page asked for earlier must be there when asked.
#include "gui/FrmMain.h"
#include "storage/Win1252Text.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the user sees in every named control, by object name.
QMap<QString, QString> shownState(const TfrmMain &window)
{
    QMap<QString, QString> state;
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_"))
            continue;
        // The tab bar's own scroll buttons (named since Qt 6.8) follow the window's width, not
        // what it shows.
        if (qobject_cast<const QTabBar *>(w->parentWidget()))
            continue;
        QString shown;
        if (const auto *edit = qobject_cast<const QLineEdit *>(w))
            shown = edit->text();
        else if (const auto *memo = qobject_cast<const QPlainTextEdit *>(w))
            shown = memo->toPlainText();
        else if (const auto *view = qobject_cast<const QTextEdit *>(w))
            shown = view->toPlainText();
        else if (const auto *box = qobject_cast<const QCheckBox *>(w))
            shown = box->isChecked() ? u"an"_s : u"aus"_s;
        else if (const auto *combo = qobject_cast<const QComboBox *>(w))
            shown = combo->currentText() + u'/' + QString::number(combo->count());
        else if (const auto *list = qobject_cast<const QListWidget *>(w)) {
            for (int i = 0; i < list->count(); ++i)
                shown += list->item(i)->text() + u'|';
        } else if (const auto *label = qobject_cast<const QLabel *>(w)) {
            // When a hymn was last sung is said once the hymn index has been read in the
            // background, whenever that is.
            shown = name.startsWith(u"lblZuletzt") ? u"(aus dem Liederindex)"_s : label->text();
        } else
            shown = w->isEnabled() ? u"bereit"_s : u"gesperrt"_s;
        state.insert(QString::fromLatin1(w->metaObject()->className()) + u' ' + name, shown);
    }
    state.insert(u"Titel"_s, window.windowTitle());
    state.insert(u"geändert"_s, window.isWindowModified() ? u"ja"_s : u"nein"_s);
    return state;
}

struct LaterWindow
{
    std::unique_ptr<TfrmMain> window;
    ScriptedDialogs *dialogs = nullptr;
    bool firstFrame = false;
    bool kyrieAtFirstFrame = true;
    bool complete = false;
};

// A window built as the program's own start builds it, with scripted dialogs.
void makeLaterWindow(LaterWindow &later)
{
    auto scripted = std::make_unique<ScriptedDialogs>();
    later.dialogs = scripted.get();
    StartOptions options;
    options.skipUpdateCheck = true;
    options.hiddenPagesAfterFirstFrame = true;
    options.firstFrameShown = [&later] {
        later.firstFrame = true;
        later.kyrieAtFirstFrame
            = later.window->findChild<QPlainTextEdit *>(u"txtKyrie"_s) != nullptr;
    };
    options.complete = [&later] { later.complete = true; };
    later.window = std::make_unique<TfrmMain>(std::move(scripted), options);
}

bool waitFor(const bool &flag)
{
    QDeadlineTimer deadline(10000);
    while (!flag && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return flag;
}

} // namespace

TEST(HiddenPages, FollowTheFirstFrameAndShowWhatAWindowBuiltAtOnceShows)
{
    struct Case
    {
        const char *name;
        bool unreadableText; // a memo's text file cannot be read: the start-up ends there
    };
    for (const Case c : { Case { "files read", false }, Case { "a text unreadable", true } }) {
        TestEnvironment env;
        env.writeProgramFile(u"Texte/kyrie.txt"_s, "Kyrie eleison\rHerr, erbarme dich\r");
        env.writeProgramFile(u"libs/Ablauf.ini"_s,
                             win1252::encode(u"[Kasualien]\r\nAbendmahl=1\r\nTaufe=0\r\n"
                                             u"Konfirmation=0\r\nTrauung=1\r\n[Reihenfolge]\r\n"
                                             u"Anzahl=6\r\n0=Eingangslied\r\n1=Psalm\r\n"
                                             u"2=Predigt\r\n3=Abendmahl\r\n4=Trauung\r\n"
                                             u"5=Segen\r\n"_s));
        if (c.unreadableText)
            QDir().mkpath(env.programDir() + u"/Texte/gloriapatri.txt"_s);

        ScriptedDialogs *dialogs = nullptr;
        auto atOnce = makeMainWindow(&dialogs);
        const QMap<QString, QString> expected = shownState(*atOnce);
        const QStringList expectedMessages = dialogs->messages;
        atOnce.reset();

        LaterWindow later;
        makeLaterWindow(later);
        // Before its first frame the window has its first page only, and says it is not
        // complete yet.
        EXPECT_EQ(later.window->findChild<QPlainTextEdit *>(u"txtKyrie"_s), nullptr) << c.name;
        EXPECT_NE(later.window->findChild<QLineEdit *>(u"txtEingangslied"_s), nullptr) << c.name;
        EXPECT_FALSE(later.complete) << c.name;
        later.window->show();
        ASSERT_TRUE(waitFor(later.complete)) << c.name;
        EXPECT_TRUE(later.firstFrame) << c.name;
        EXPECT_FALSE(later.kyrieAtFirstFrame) << c.name;
        EXPECT_EQ(control<QTabWidget>(*later.window, "pclPageControl")->currentIndex(), 0);

        const QMap<QString, QString> shown = shownState(*later.window);
        EXPECT_EQ(shown.keys(), expected.keys()) << c.name;
        for (auto it = expected.begin(); it != expected.end(); ++it)
            EXPECT_EQ(shown.value(it.key()).toStdString(), it.value().toStdString())
                << c.name << ": " << it.key().toStdString();
        EXPECT_EQ(later.dialogs->messages.join(u'\n').toStdString(),
                  expectedMessages.join(u'\n').toStdString())
            << c.name;
        if (c.unreadableText) {
            EXPECT_FALSE(expectedMessages.isEmpty());
        }
    }
}

TEST(HiddenPages, AreBuiltAtOnceWhenAskedForBeforeTheFirstFrame)
{
    TestEnvironment env;
    // Choosing a hidden tab before anything is painted shows its real page.
    {
        LaterWindow later;
        makeLaterWindow(later);
        auto *tabs = control<QTabWidget>(*later.window, "pclPageControl");
        tabs->setCurrentIndex(2);
        EXPECT_EQ(tabs->currentIndex(), 2);
        EXPECT_EQ(tabs->currentWidget()->objectName(), u"tshLiturgie"_s);
        EXPECT_EQ(tabs->tabText(2), u"Liturgie"_s);
        EXPECT_NE(later.window->findChild<QPlainTextEdit *>(u"txtKyrie"_s), nullptr);
        EXPECT_TRUE(later.complete);
        // The first frame afterwards builds nothing twice.
        later.window->show();
        ASSERT_TRUE(waitFor(later.firstFrame));
        EXPECT_EQ(later.window->findChildren<QPlainTextEdit *>(u"txtKyrie"_s).size(), 1);
        EXPECT_EQ(tabs->count(), 5);
    }
    // A window that is never drawn gets its pages all the same, a moment later.
    {
        LaterWindow later;
        makeLaterWindow(later);
        ASSERT_TRUE(waitFor(later.complete));
        EXPECT_FALSE(later.firstFrame);
        EXPECT_NE(later.window->findChild<QPlainTextEdit *>(u"txtKyrie"_s), nullptr);
    }
}
