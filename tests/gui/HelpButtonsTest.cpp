// The version dialog, the manual and the feedback page.
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "gui/WebView.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Scripted dialogs that also keep the titles of the message boxes.
class TitledDialogs : public ScriptedDialogs
{
public:
    QStringList titles;
    void message(const QString &text, const QString &title = {}) override
    {
        titles.append(title);
        ScriptedDialogs::message(text, title);
    }
};

std::unique_ptr<TfrmMain> makeWindow(TitledDialogs **dialogs)
{
    auto d = std::make_unique<TitledDialogs>();
    *dialogs = d.get();
    StartOptions options;
    options.skipUpdateCheck = true;
    auto window = std::make_unique<TfrmMain>(std::move(d), options);
    // Only what the buttons show counts here.
    (*dialogs)->messages.clear();
    (*dialogs)->titles.clear();
    (*dialogs)->openedUrls.clear();
    return window;
}

QString versionText(const QString &number)
{
    return QStringLiteral("Pergolan Version ") + number + u'\r' + programinfo::noticeLine()
        + QStringLiteral("\rWeitere Infos und Schulungen finden Sie im Internet:\r")
        + QString::fromUtf16(programinfo::kInfoAddress);
}

} // namespace

TEST(VersionDialog, ShowsTheVersionWithTheProgramsCurrentSeparator)
{
    TestEnvironment env;
    TitledDialogs *dialogs = nullptr;
    auto window = makeWindow(&dialogs);
    programinfo::resetDecimalSeparatorForTesting();

    control<QToolButton>(*window, "btnCopyright")->click();
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_EQ(dialogs->titles.constFirst(), QStringLiteral("Pergolan"));
    const QString system = QLocale::system().decimalPoint();
    EXPECT_EQ(dialogs->messages.constFirst(),
              versionText(QStringLiteral(" 5") + system + QStringLiteral("03")));
    if (QLocale::system().language() == QLocale::German) {
        EXPECT_TRUE(
            dialogs->messages.constFirst().startsWith(QStringLiteral("Pergolan Version  5,03\r")));
    }

    // Once the update check has read a version file, the point is the separator.
    programinfo::useDecimalPoint();
    control<QToolButton>(*window, "btnCopyright")->click();
    ASSERT_EQ(dialogs->messages.size(), 2);
    EXPECT_EQ(dialogs->messages.at(1), versionText(QStringLiteral(" 5.03")));
    programinfo::resetDecimalSeparatorForTesting();
    EXPECT_TRUE(dialogs->openedUrls.isEmpty());
}

TEST(HelpButton, OpensTheManualOrReportsItMissing)
{
    TestEnvironment env;
    TitledDialogs *dialogs = nullptr;
    auto window = makeWindow(&dialogs);
    const QString manual = env.programDir() + u'/' + QString::fromUtf16(programinfo::kHelpFile);

    env.writeProgramFile(QString::fromUtf16(programinfo::kHelpFile), "<html>Hilfe</html>");
    control<QToolButton>(*window, "BtnHilfe")->click();
    EXPECT_TRUE(dialogs->messages.isEmpty());
    ASSERT_EQ(dialogs->openedUrls.size(), 1);
    EXPECT_EQ(dialogs->openedUrls.constFirst(), QUrl::fromLocalFile(manual));

    ASSERT_TRUE(QFile::remove(manual));
    control<QToolButton>(*window, "BtnHilfe")->click();
    EXPECT_EQ(dialogs->messages,
              QStringList { QStringLiteral("Fehler #7\rDatei nicht gefunden\r") });
    EXPECT_EQ(dialogs->openedUrls.size(), 1);

    // Without a launcher the message names the manual's path.
    env.writeProgramFile(QString::fromUtf16(programinfo::kHelpFile), "<html>Hilfe</html>");
    dialogs->openSucceeds = false;
    control<QToolButton>(*window, "BtnHilfe")->click();
    ASSERT_EQ(dialogs->messages.size(), 2);
    EXPECT_TRUE(dialogs->messages.last().endsWith(QStringLiteral("Handbuch hier:\r") + manual))
        << dialogs->messages.last().toStdString();
    dialogs->messages.removeLast();
    ASSERT_TRUE(QFile::remove(manual));
    dialogs->openSucceeds = true;

    // A folder under the manual's name is no manual either.
    QDir().mkpath(manual);
    control<QToolButton>(*window, "BtnHilfe")->click();
    EXPECT_EQ(dialogs->messages.size(), 2);
    EXPECT_EQ(dialogs->openedUrls.size(), 2);
}

TEST(HelpButton, TheBuiltProgramFolderShipsTheManual)
{
    const QString built = builtProgramDir();
    if (built.isEmpty())
        GTEST_SKIP() << "no built program folder given";
    const QString manual = built + u'/' + QString::fromUtf16(programinfo::kHelpFile);
    ASSERT_TRUE(QFileInfo(manual).isFile()) << manual.toStdString();
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    // Every image the manual shows lies beside it.
    qsizetype at = 0;
    while ((at = html.indexOf(QStringLiteral("src=\""), at)) >= 0) {
        at += 5;
        const QString image = html.mid(at, html.indexOf(u'"', at) - at);
        EXPECT_TRUE(QFileInfo::exists(QFileInfo(manual).absolutePath() + u'/' + image))
            << image.toStdString();
    }
}

TEST(FeedbackButton, OpensTheFeedbackPageOverHttps)
{
    TestEnvironment env;
    TitledDialogs *dialogs = nullptr;
    auto window = makeWindow(&dialogs);
    control<QToolButton>(*window, "BtnFeedback")->click();
    ASSERT_EQ(dialogs->openedUrls.size(), 1);
    const QUrl url = dialogs->openedUrls.constFirst();
    EXPECT_EQ(url.scheme(), QStringLiteral("https"));
    EXPECT_EQ(url.host(), QString::fromUtf16(programinfo::kMakerHost));
    EXPECT_EQ(url.path(), QStringLiteral("/feedback.html"));
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST(WebViewAsRoot, RunsWithoutTheSandboxAndSaysSo)
{
    const bool wasSet = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
    const QByteArray before = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    EXPECT_EQ(webview::allowRunningAsRoot(1000), QString());
    EXPECT_FALSE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"));
    const QString note = webview::allowRunningAsRoot(0);
    EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("1"));
    EXPECT_TRUE(note.contains(QStringLiteral("ohne ihre Sandbox"))) << note.toStdString();
    if (!wasSet)
        qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    else
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", before);
}
