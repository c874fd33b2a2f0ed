#pragma once

#include "gui/Dialogs.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include <deque>

// Dialogs for tests: every question is answered from a script, every message is recorded.
// An unscripted question fails the test (and answers No / cancels), so no test hangs on a
// dialog nobody sees.
class ScriptedDialogs : public Dialogs
{
public:
    // What was shown, in order.
    QStringList messages; // message() and error() texts
    QStringList errors; // error() texts only
    QStringList questions; // askYesNo(), askYesNoCancel() and askChoice() texts
    QList<FileDialogRequest> fileRequests;
    QList<QUrl> openedUrls;

    // Scripted answers, consumed front first.
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<int> choiceAnswers; // askChoice(): the index of the button pressed
    QList<QStringList> choiceCaptions; // the buttons each askChoice() offered
    std::deque<QString> fileNames; // an empty string cancels
    std::deque<std::optional<QFont>> fonts;
    std::deque<bool> printerAnswers;
    bool openSucceeds = true;

    void message(const QString &text, const QString &title = {}) override;
    void error(const QString &text) override;
    bool askYesNo(const QString &text, const QString &title = {}) override;
    Answer askYesNoCancel(const QString &text, const QString &title = {}) override;
    int askChoice(const QString &text, const QStringList &captions,
                  const QString &title = {}) override;
    QString openFileName(const FileDialogRequest &request) override;
    QString chooseSaveFileName(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(const QFont &current) override;
    bool setupPrinter(QPrinter &printer, PrinterPurpose purpose) override;
    bool openExternally(const QUrl &url) override;
};

// The printer set-up as a user who chooses printing into the PDF file pdfPath; with no path the
// set-up is cancelled. setups counts the set-ups asked for.
// The PDF file each set-up proposed, and its purpose, are kept; with proposalTaken the user
// keeps the proposed file instead of typing pdfPath.
class PdfChoosingDialogs : public ScriptedDialogs
{
public:
    QString pdfPath;
    bool proposalTaken = false;
    int setups = 0;
    QStringList proposedFiles;
    QList<PrinterPurpose> purposes;

    bool setupPrinter(QPrinter &printer, PrinterPurpose purpose) override;
};
