#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QPrinter;
class QWidget;

// What a file dialog is asked to show. Filters are in the Windows form the program's texts
// use ("Texte|*.txt|Alle Dateien|*.*"); filterIndex counts from 1.
struct FileDialogRequest
{
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExtension; // without the dot, e.g. "ini"
    QString initialDir;
    QString fileName; // proposed file name (may include a folder)
    bool mustExist = false;
};

// Everything that asks the user or leaves the window for the desktop goes through this one
// interface, owned by the main window: message boxes, file, font and printer dialogs, and
// the shell's "open". The Qt implementation shows real dialogs; tests script the answers.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box with an OK button.
    virtual void message(const QString &text, const QString &title = {}) = 0;
    // The general error report: an error's text in a message box.
    virtual void error(const QString &text) = 0;
    // A confirmation with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title = {}) = 0;

    // A question with Ja, Nein and Abbrechen. Escape and closing the box cancel.
    enum class Answer { Yes, No, Cancel };
    virtual Answer askYesNoCancel(const QString &text, const QString &title = {}) = 0;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    // As chosen in the save dialog, with the request's default extension added when the name
    // does not end in it already.
    QString saveFileName(const FileDialogRequest &request);

    // The chosen font, or nothing when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont &current) = 0;
    // The platform's printer set-up for this printer; true when confirmed.
    virtual bool setupPrinter(QPrinter &printer) = 0;

    // The shell's "open": a file with its associated program, an address in the browser.
    virtual bool openExternally(const QUrl &url) = 0;

protected:
    // The path the user chose in the save dialog, or an empty string when cancelled.
    virtual QString chooseSaveFileName(const FileDialogRequest &request) = 0;
};

// The path with "." and the extension appended unless it already ends in them (in any case).
// A file dialog's own default suffix is added only to a name without any dot, so a proposed
// name such as "3 3. Sonntag im Advent" would be saved without it and never found again.
// An empty path (cancelled) or an empty extension leave the path as it is.
QString withDefaultExtension(const QString &path, const QString &extension);

// Converts "Texte|*.txt|Alle Dateien|*.*" into Qt's "Texte (*.txt);;Alle Dateien (*.*)".
QStringList qtFilterList(const QString &windowsFilter);
