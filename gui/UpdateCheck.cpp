#include "gui/UpdateCheck.h"

#include "base/ProgramInfo.h"
#include "gui/Dialogs.h"
#include "update/Download.h"
#include "update/VersionText.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUrl>

#include <memory>

UpdateCheck::UpdateCheck(Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
{
    m_closeTimer = new QTimer(this);
    m_closeTimer->setObjectName(QStringLiteral("tmrClose"));
    m_closeTimer->setInterval(3000);
    connect(m_closeTimer, &QTimer::timeout, this, &UpdateCheck::quitRequested);
}

void UpdateCheck::check(bool force)
{
    // Our requests never go through a cache, so nothing old can answer the version request.
    emit emptyCachesRequested();

    // No answer, no server, no network: the start simply goes on.
    const std::optional<QByteArray> content = update::fetchVersionText(update::versionUrl());
    if (!content)
        return;
    programinfo::useDecimalPoint();

    const double current = programinfo::kProgramVersion;
    const double available = update::availableVersion(*content, current);
    if (!(available > current) && !force)
        return;

    // The installer is fetched while the user reads the question. The check owns the thread
    // and never waits for it: whatever the server does, the start goes on, and the answer Yes
    // is acted on when the download ends. When the window goes, the thread is asked to stop
    // and ends promptly.
    auto *thread = new TDownloadThread(update::installerServerBase()
                                           + QString::fromUtf16(update::kInstallerPath),
                                       update::installerFile(), this);
    // Both the end of the download and the answer arrive on this thread, in either order; the
    // installer is acted on once both are known. (The thread's own isFinished() is no witness:
    // it turns true before the finished signal is even sent.)
    struct Progress
    {
        bool answered = false;
        bool yes = false;
        bool ended = false;
        bool handled = false;
    };
    const auto progress = std::make_shared<Progress>();
    const auto actOnInstaller = [this, thread, progress] {
        if (!progress->answered || !progress->ended || !progress->yes || progress->handled)
            return;
        progress->handled = true;
        if (thread->DownloadStatus() == TDownloadThread::Downloaded) {
            m_dialogs.openExternally(QUrl::fromLocalFile(update::installerFile()));
            m_closeTimer->start();
        } else if (!thread->isInterruptionRequested()) {
            m_dialogs.message(QStringLiteral(
                "Es ist eine neuere Version verfügbar, konnte aber nicht heruntergeladen werden!"));
        }
    };
    connect(thread, &QThread::finished, this, [progress, actOnInstaller] {
        progress->ended = true;
        actOnInstaller();
    });
    thread->start();
    QCoreApplication::processEvents();

    // On No the download goes on in the background; its file is kept, never started.
    progress->yes = m_dialogs.askYesNo(
        update::updateQuestion(current, available, programinfo::decimalSeparator()));
    progress->answered = true;
    actOnInstaller();
}
