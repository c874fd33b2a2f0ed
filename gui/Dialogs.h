#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
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

// The file dialogs whose last folder, name and filter the program keeps between uses.
enum class DialogRole {
    OpenPreparation, // "Öffnen" and the history's double click
    Save, // the preparation and the liturgical texts share it
    OpenText, // a liturgical text file into a memo
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

    // A question with buttons of the given captions (at least one), the first the default.
    // Gives the index of the button pressed; Escape and closing the box give the last one,
    // which is therefore the answer that changes nothing ("Abbrechen").
    virtual int askChoice(const QString &text, const QStringList &captions,
                          const QString &title = {})
        = 0;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    // As chosen in the save dialog, with the request's default extension added when the name
    // does not end in it already.
    QString saveFileName(const FileDialogRequest &request);

    // The chosen font, or nothing when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont &current) = 0;
    // The platform's printer set-up for this printer; true when confirmed.
    virtual bool setupPrinter(QPrinter &printer) = 0;

    // The shell's "open": a file with its associated program, an address in the browser, a
    // mail link in the mail program. False when nothing takes it (for a mail link: when the
    // desktop has no mail program).
    virtual bool openExternally(const QUrl &url) = 0;

    // The request a role's dialog was last shown with; what the user chose is kept in its
    // fileName.
    FileDialogRequest &remembered(DialogRole role) { return m_remembered[int(role)]; }

protected:
    // The path the user chose in the save dialog, or an empty string when cancelled.
    virtual QString chooseSaveFileName(const FileDialogRequest &request) = 0;

private:
    std::array<FileDialogRequest, 3> m_remembered;
};

// The path with "." and the extension appended unless it already ends in them (in any case).
// A file dialog's own default suffix is added only to a name without any dot, so a proposed
// name such as "3 3. Sonntag im Advent" would be saved without it and never found again.
// An empty path (cancelled) or an empty extension leave the path as it is.
QString withDefaultExtension(const QString &path, const QString &extension);

// Converts "Texte|*.txt|Alle Dateien|*.*" into Qt's "Texte (*.txt);;Alle Dateien (*.*)".
QStringList qtFilterList(const QString &windowsFilter);
