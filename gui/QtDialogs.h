#pragma once

#include "gui/Dialogs.h"

// The real dialogs of the platform.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *owner);

    void message(const QString &text, const QString &title = {}) override;
    void error(const QString &text) override;
    bool askYesNo(const QString &text, const QString &title = {}) override;
    Answer askYesNoCancel(const QString &text, const QString &title = {}) override;
    int askChoice(const QString &text, const QStringList &captions,
                  const QString &title = {}) override;
    QString openFileName(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(const QFont &current) override;
    bool setupPrinter(QPrinter &printer) override;
    bool openExternally(const QUrl &url) override;

protected:
    QString chooseSaveFileName(const FileDialogRequest &request) override;

private:
    QString runFileDialog(const FileDialogRequest &request, bool save);

    QWidget *m_owner;
};

// Whether the desktop has a program for mail links, as xdg-mime (found on PATH) answers for
// "x-scheme-handler/mailto". Without xdg-mime, or when it does not answer in time, nobody can
// say, and the link is tried.
bool desktopHasMailProgram();
