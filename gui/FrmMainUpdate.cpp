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

    // The installer is fetched while the user reads the question.
    auto thread = std::make_unique<TDownloadThread>(
        update::installerServerBase() + QString::fromUtf16(update::kInstallerPath),
        update::installerFile());
    thread->start();
    QCoreApplication::processEvents();

    if (dialogs().askYesNo(
            update::updateQuestion(current, available, programinfo::decimalSeparator()))) {
        while (thread->DownloadStatus() == TDownloadThread::Running
               && !thread->isInterruptionRequested()) {
            QCoreApplication::processEvents();
            thread->wait(20);
        }
        if (thread->DownloadStatus() == TDownloadThread::Downloaded) {
            dialogs().openExternally(QUrl::fromLocalFile(update::installerFile()));
            QuitAfterUpdate = true;
            tmrClose->start();
        } else {
            dialogs().message(QStringLiteral(
                "Es ist eine neuere Version verfügbar, konnte aber nicht heruntergeladen werden!"));
        }
    }
    // Releasing the thread asks it to stop and waits: a transfer under way runs to its end.
    thread->requestInterruption();
    thread->wait();
}

void TfrmMain::EmptyInternetCache()
{
    // The update requests bypass every cache; what is left is the web view's, and only once
    // the web view exists (creating its profile just to empty it would start the web engine).
    webview::clearCache(brsBrowser);
}
