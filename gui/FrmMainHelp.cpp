// The main window's version, help and feedback buttons.
#include "gui/FrmMain.h"

#include "base/ProgramFolder.h"
#include "base/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void TfrmMain::showVersion()
{
    const QString text = programinfo::title() + QStringLiteral(" Version ")
        + programinfo::formatVersion(programinfo::kProgramVersion) + u'\r'
        + programinfo::noticeLine() + u'\r'
        + QStringLiteral("Weitere Infos und Schulungen finden Sie im Internet:") + u'\r'
        + QString::fromUtf16(programinfo::kInfoAddress);
    m_dialogs->message(text, programinfo::title());
}

void TfrmMain::showHelp()
{
    const QString path = programfolder::dir() + u'/' + QString::fromUtf16(programinfo::kHelpFile);
    if (!QFileInfo(path).isFile()) {
        m_dialogs->message(QStringLiteral("Fehler #7\rDatei nicht gefunden\r"));
        return;
    }
    // The manual opens in the desktop's browser; the program does not wait for it. Without a
    // launcher (xdg-open) the user is told where the manual is.
    if (!m_dialogs->openExternally(QUrl::fromLocalFile(path)))
        m_dialogs->message(QStringLiteral("Das Handbuch konnte nicht im Browser geöffnet werden, "
                                          "weil kein Programm zum Öffnen eingerichtet ist "
                                          "(xdg-open aus dem Paket xdg-utils).\rSie finden das "
                                          "Handbuch hier:\r")
                           + QDir::toNativeSeparators(path));
}

void TfrmMain::giveFeedback()
{
    m_dialogs->openExternally(QUrl(QStringLiteral("https://")
                                   + QString::fromUtf16(programinfo::kMakerHost)
                                   + QStringLiteral("/feedback.html")));
}
