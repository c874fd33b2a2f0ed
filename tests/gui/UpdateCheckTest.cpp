// The update check at start-up against a local HTTPS server.
#include "base/Plugins.h"
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "tests/support/HttpsTestServer.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"
#include "update/Download.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kVersion = QStringLiteral("/files/Startseite/Pergol/version.txt");
const QString kInstaller = QStringLiteral("/files/Startseite/Pergol/pergol-setup.exe");
const QByteArray kInstallerBody = QByteArray("MZ-installer-") + QByteArray(300000, 'x');

QByteArray fileContent(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool anyRequestFor(const HttpsTestServer &server, const QString &path)
{
    for (const QString &r : server.requests())
        if (r.startsWith(path + QStringLiteral("?session=")))
            return true;
    return false;
}

// Scripted dialogs that, when asked, first look whether the installer download has already
// reached the server (it must start before the question).
class WatchingDialogs : public ScriptedDialogs
{
public:
    explicit WatchingDialogs(const HttpsTestServer &server)
        : m_server(server)
    {
    }

    bool downloadSeenBeforeQuestion = false;

    bool askYesNo(const QString &text, const QString &title = {}) override
    {
        QDeadlineTimer deadline(10000);
        while (!anyRequestFor(m_server, kInstaller) && !deadline.hasExpired())
            QThread::msleep(10);
        downloadSeenBeforeQuestion = anyRequestFor(m_server, kInstaller);
        return ScriptedDialogs::askYesNo(text, title);
    }

private:
    const HttpsTestServer &m_server;
};

class UpdateCheckAtStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isValid());
        ASSERT_TRUE(temp.isValid());
        m_oldTemp = qgetenv("TEMP");
        qputenv("TEMP", temp.path().toLocal8Bit());
        update::setServerBaseForTesting(server.base());
        update::setTrustedCertificatesForTesting({ server.certificate().toPem() });
        update::setTimeoutsForTesting(5000, 10000);
        programinfo::resetDecimalSeparatorForTesting();
    }

    void TearDown() override
    {
        window.reset();
        update::setServerBaseForTesting({});
        update::setTrustedCertificatesForTesting({});
        update::setTimeoutsForTesting(5000, 30000);
        programinfo::resetDecimalSeparatorForTesting();
        if (m_oldTemp.isNull())
            qunsetenv("TEMP");
        else
            qputenv("TEMP", m_oldTemp);
    }

    void serveVersion(const QByteArray &text)
    {
        server.setAnswer(kVersion, { 200, text, 0, false, 0 });
    }

    // Starts the program as without command-line arguments: the check runs while the main
    // window is created.
    void start(std::deque<bool> answers = {}, bool withArgument = false)
    {
        auto d = std::make_unique<WatchingDialogs>(server);
        d->yesNoAnswers = std::move(answers);
        dialogs = d.get();
        StartOptions options;
        options.skipUpdateCheck = withArgument;
        window = std::make_unique<TfrmMain>(std::move(d), options);
    }

    QString installer() const { return temp.filePath(QStringLiteral("pergol-setup.exe")); }

    // The window never waits for the installer download; the tests do, with events flowing so
    // that the window hears of its end.
    void waitForDownload()
    {
        auto *thread = window->findChild<TDownloadThread *>();
        ASSERT_NE(thread, nullptr);
        QDeadlineTimer deadline(30000);
        while (!thread->isFinished() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(thread->isFinished());
        // isFinished() turns true while the thread is still finishing, before its finished
        // signal is queued; wait for the finish, then deliver the signal.
        ASSERT_TRUE(thread->wait(5000));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // Files in the temp folder: the installer, or what a download left half-written.
    QStringList tempFiles() const
    {
        return QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    TestEnvironment env;
    HttpsTestServer server;
    QTemporaryDir temp;
    WatchingDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;

private:
    QByteArray m_oldTemp;
};

const QString kQuestion504
    = QStringLiteral("Aktuelle Programm-Version:  5.03\rVerfügbare Programm-Version:  5.04\r"
                     "Möchten Sie jetzt eine Aktualisierung durchführen?");
const QString kNotDownloaded = QStringLiteral(
    "Es ist eine neuere Version verfügbar, konnte aber nicht heruntergeladen werden!");

} // namespace

TEST_F(UpdateCheckAtStart, SameVersionAsksNothingAndSwitchesToThePoint)
{
    serveVersion("5.03");
    start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_FALSE(anyRequestFor(server, kInstaller));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(anyRequestFor(server, kVersion));
    EXPECT_EQ(programinfo::decimalSeparator(), u'.');
    EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
}

TEST_F(UpdateCheckAtStart, UnreadableVersionTextsCountAsTheProgramVersion)
{
    for (const QByteArray &text : { QByteArray("5.10\n"), QByteArray("5,10"), QByteArray("") }) {
        serveVersion(text);
        start();
        EXPECT_TRUE(dialogs->questions.isEmpty()) << text.toStdString();
        EXPECT_FALSE(anyRequestFor(server, kInstaller)) << text.toStdString();
        window.reset();
    }
}

TEST_F(UpdateCheckAtStart, NewerVersionDownloadsBeforeAskingAndNoKeepsTheFile)
{
    serveVersion("5.04");
    // The installer arrives slowly: after No it goes on arriving in the background.
    server.setAnswer(kInstaller, { 200, kInstallerBody, 700, false, 0 });
    start({ false });
    ASSERT_EQ(dialogs->questions, QStringList { kQuestion504 });
    EXPECT_TRUE(dialogs->downloadSeenBeforeQuestion);
    waitForDownload();
    // The fetched installer is kept, never started.
    EXPECT_EQ(fileContent(installer()), kInstallerBody);
    EXPECT_TRUE(dialogs->openedUrls.isEmpty());
    // Whatever else the start-up reports, the update check said nothing.
    EXPECT_FALSE(dialogs->messages.contains(kNotDownloaded));
    EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
    EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
}

TEST_F(UpdateCheckAtStart, BlanksAroundAWholeNumberAreRead)
{
    serveVersion(" 6 ");
    server.setAnswer(kInstaller, { 200, kInstallerBody, 0, false, 0 });
    start({ false });
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(dialogs->questions.constFirst().contains(
        QStringLiteral("Verfügbare Programm-Version:  6.00")));
}

TEST_F(UpdateCheckAtStart, YesStartsTheDownloadedInstallerAndClosesLater)
{
    serveVersion("5.04");
    server.setAnswer(kInstaller, { 200, kInstallerBody, 300, false, 0 });
    // An installer left over from an earlier run is replaced.
    {
        QFile old(installer());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old installer");
    }
    start({ true });
    ASSERT_EQ(dialogs->questions.size(), 1);
    waitForDownload();
    ASSERT_EQ(dialogs->openedUrls.size(), 1);
    EXPECT_EQ(dialogs->openedUrls.constFirst(), QUrl::fromLocalFile(installer()));
    EXPECT_EQ(fileContent(installer()), kInstallerBody);
    // Whatever else the start-up reports, the update check said nothing.
    EXPECT_FALSE(dialogs->messages.contains(kNotDownloaded));
    EXPECT_TRUE(control<QTimer>(*window, "tmrClose")->isActive());
    EXPECT_EQ(control<QTimer>(*window, "tmrClose")->interval(), 3000);
    // The installer's address carries a session number too.
    EXPECT_TRUE(anyRequestFor(server, kInstaller));

    // When the timer fires, the window closes; with nothing unsaved it asks nothing.
    window->show();
    QEventLoop loop;
    QObject::connect(control<QTimer>(*window, "tmrClose"), &QTimer::timeout, &loop,
                     &QEventLoop::quit, Qt::QueuedConnection);
    control<QTimer>(*window, "tmrClose")->start(0);
    loop.exec();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs->questions.size(), 1);
}

TEST_F(UpdateCheckAtStart, AnErrorPageOrAnEmptyAnswerIsNoInstaller)
{
    serveVersion("5.04");
    for (const HttpsTestServer::Answer &answer :
         { HttpsTestServer::Answer { 404, "<html>Nicht gefunden</html>", 0, false, 0 },
           HttpsTestServer::Answer { 500, "Fehler", 0, false, 0 },
           HttpsTestServer::Answer { 200, "", 0, false, 0 } }) {
        server.setAnswer(kInstaller, answer);
        start({ true });
        waitForDownload();
        EXPECT_EQ(dialogs->messages.count(kNotDownloaded), 1) << answer.status;
        EXPECT_TRUE(dialogs->openedUrls.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(installer()));
        EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
        EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
        window.reset();
    }
}

TEST_F(UpdateCheckAtStart, AnyCommandLineArgumentMeansNoNetworkAccess)
{
    serveVersion("9.99");
    start({}, true);
    EXPECT_EQ(server.connectionCount(), 0);
    EXPECT_TRUE(dialogs->questions.isEmpty());
}

TEST_F(UpdateCheckAtStart, NoServerNoAnswerOrAForeignCertificateStartSilently)
{
    const QChar system = programinfo::decimalSeparator();

    // Nothing listens.
    update::setServerBaseForTesting(unreachableBase());
    start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    // Whatever else the start-up reports, the update check said nothing.
    EXPECT_FALSE(dialogs->messages.contains(kNotDownloaded));
    EXPECT_EQ(programinfo::decimalSeparator(), system);
    window.reset();

    // The server takes the connection and never answers: the check gives up.
    update::setServerBaseForTesting(server.base());
    update::setTimeoutsForTesting(300, 300);
    server.setAnswer(kVersion, { 200, "9.99", 0, true, 0 });
    start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    // Whatever else the start-up reports, the update check said nothing.
    EXPECT_FALSE(dialogs->messages.contains(kNotDownloaded));
    EXPECT_EQ(programinfo::decimalSeparator(), system);
    window.reset();

    // A certificate nobody trusts: the version offered there is not believed.
    update::setTimeoutsForTesting(5000, 10000);
    update::setTrustedCertificatesForTesting({});
    serveVersion("9.99");
    const qsizetype before = server.requests().size();
    start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_EQ(server.requests().size(), before);
    EXPECT_EQ(programinfo::decimalSeparator(), system);
}

TEST_F(UpdateCheckAtStart, WithoutTheNetworkPluginTheStartGoesOnSilently)
{
    // A program folder without libpergolan_network.so: as without a network.
    QTemporaryDir noPlugins;
    plugins::setFolderForTesting(noPlugins.path());
    serveVersion("9.99");
    const qsizetype before = server.requests().size();
    start({ true });
    plugins::setFolderForTesting({});
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_EQ(server.requests().size(), before);
    EXPECT_EQ(window->findChild<TDownloadThread *>(), nullptr);
}

TEST_F(UpdateCheckAtStart, AnInstallerFileThatCannotBeWrittenIsNotDownloaded)
{
    server.setAnswer(kInstaller, { 200, kInstallerBody, 0, false, 0 });
    TDownloadThread thread(server.base() + kInstaller,
                           temp.filePath(QStringLiteral("no/such/folder/x")));
    EXPECT_EQ(thread.DownloadStatus(), TDownloadThread::Running);
    thread.start();
    thread.wait();
    EXPECT_EQ(thread.DownloadStatus(), TDownloadThread::NotDownloaded);
}

TEST_F(UpdateCheckAtStart, AServerThatTricklesHoldsNeitherTheStartNorTheClosing)
{
    serveVersion("5.04");
    // One byte a second: the installer would take the better part of an hour.
    server.setAnswer(kInstaller, { 200, QByteArray(3000, 'x'), 0, false, 1000 });
    for (const bool yes : { true, false }) {
        start({ yes });
        auto *thread = window->findChild<TDownloadThread *>();
        ASSERT_NE(thread, nullptr);
        window->show();
        EXPECT_TRUE(window->isVisible()) << yes;
        // Let a few bytes flow, then close while the server still trickles.
        QDeadlineTimer flowing(2500);
        while (!flowing.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(thread->DownloadStatus(), TDownloadThread::Running) << yes;
        QElapsedTimer closing;
        closing.start();
        window->close();
        EXPECT_FALSE(dialogs->messages.contains(kNotDownloaded)) << yes;
        window.reset();
        // Generous: a closing that waited for the server would take most of an hour.
        EXPECT_LT(closing.elapsed(), 20000) << yes;
        EXPECT_EQ(tempFiles(), QStringList()) << yes;
    }
}

TEST_F(UpdateCheckAtStart, AStoppedOrOverdueDownloadLeavesNothingBehind)
{
    server.setAnswer(kInstaller, { 200, QByteArray(3000, 'x'), 0, false, 100 });
    struct Case
    {
        const char *name;
        bool stop; // asked to stop while data flows; otherwise the deadline ends it
    };
    for (const Case &c : { Case { "stop request", true }, Case { "deadline", false } }) {
        update::setTimeoutsForTesting(5000, 10000, c.stop ? update::kDownloadDeadlineMs : 1500);
        TDownloadThread thread(server.base() + kInstaller, installer());
        thread.start();
        if (c.stop) {
            QThread::msleep(1500);
            thread.requestInterruption();
        }
        EXPECT_TRUE(thread.wait(30000)) << c.name;
        EXPECT_EQ(thread.DownloadStatus(), TDownloadThread::NotDownloaded) << c.name;
        EXPECT_EQ(tempFiles(), QStringList()) << c.name;
    }
}

TEST_F(UpdateCheckAtStart, AnHttpBaseMakesNoRequest)
{
    serveVersion("9.99");
    server.setAnswer(kInstaller, { 200, kInstallerBody, 0, false, 0 });
    QString plain = server.base();
    plain.replace(QStringLiteral("https://"), QStringLiteral("http://"));
    update::setServerBaseForTesting(plain);
    start({ true });
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_FALSE(update::DownloadFile(update::networkTransport(), plain + kInstaller, installer()));
    EXPECT_EQ(server.connectionCount(), 0);
    EXPECT_EQ(tempFiles(), QStringList());
}

namespace {

// Starts the built program with a private home, its update check pointed at the test server,
// and waits until the start-up has prepared the data folder: by then the update check has
// run (or has been skipped). Returns false when the program did not get there.
bool startProgramUntilDataFolder(const QStringList &arguments, const QString &serverBase)
{
    const QString program = builtProgramDir() + QStringLiteral("/pergolan");
    if (!QFileInfo(program).isExecutable()) {
        ADD_FAILURE() << "no program at " << program.toStdString();
        return false;
    }
    QTemporaryDir home;
    QDir().mkpath(home.filePath(QStringLiteral("Documents")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QString::fromLatin1(update::kServerBaseVariable), serverBase);
    environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(30000))
        return false;
    const QString ready = home.filePath(QStringLiteral("Documents/Pergol/6/Archiv"));
    QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(ready) && !deadline.hasExpired()
           && process.state() == QProcess::Running)
        process.waitForFinished(50);
    const bool reached = QFileInfo::exists(ready);
    process.kill();
    process.waitForFinished(10000);
    return reached;
}

} // namespace

TEST(ProgramStart, AnArgumentMakesNoNetworkAccessWithoutOneTheCheckRuns)
{
    if (builtProgramDir().isEmpty())
        GTEST_SKIP() << "no built program folder given";
    HttpsTestServer server;
    ASSERT_TRUE(server.isValid());
    server.setAnswer(kVersion, { 200, "5.03", 0, false, 0 });

    // Any argument, also one Qt takes for itself.
    ASSERT_TRUE(startProgramUntilDataFolder(
        { QStringLiteral("-platform"), QStringLiteral("offscreen") }, server.base()));
    ASSERT_TRUE(startProgramUntilDataFolder({ QStringLiteral("Erntedank") }, server.base()));
    EXPECT_EQ(server.connectionCount(), 0);

    // Without arguments the program asks the server (whose certificate it does not trust:
    // the connection is made, the answer is not believed, the start goes on).
    ASSERT_TRUE(startProgramUntilDataFolder({}, server.base()));
    EXPECT_GE(server.connectionCount(), 1);
}
