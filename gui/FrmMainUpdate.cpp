// The main window's update check at start-up.
#include "gui/FrmMain.h"

#include "base/ProgramInfo.h"
#include "gui/WebView.h"
#include "update/Download.h"
#include "update/VersionText.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUrl>

#include <memory>

void TfrmMain::CheckForUpdate(bool force)
{
    // Our requests never go through a cache, so nothing old can answer the version request.
    EmptyInternetCache();

    // No answer, no server, no network: the start simply goes on.
    const std::optional<QByteArray> content = update::fetchVersionText(update::versionUrl());
    if (!content)
        return;
    programinfo::useDecimalPoint();

    const double current = programinfo::kProgramVersion;
    const double available = update::availableVersion(*content, current);
    if (!(available > current) && !force)
        return;

    // The installer is fetched while the user reads the question. The window owns the
    // thread and never waits for it: whatever the server does, the start goes on, and the
    // answer Yes is acted on when the download ends. When the window goes, the thread is asked
    // to stop and ends promptly.
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
            dialogs().openExternally(QUrl::fromLocalFile(update::installerFile()));
            QuitAfterUpdate = true;
            tmrClose->start();
        } else if (!thread->isInterruptionRequested()) {
            dialogs().message(QStringLiteral(
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
    progress->yes = dialogs().askYesNo(
        update::updateQuestion(current, available, programinfo::decimalSeparator()));
    progress->answered = true;
    actOnInstaller();
}

void TfrmMain::EmptyInternetCache()
{
    // The update requests bypass every cache; what is left is the web view's, and only once
    // the web view exists (creating its profile just to empty it would start the web engine).
    webview::clearCache(brsBrowser);
}
