#pragma once

#include <QObject>

class Dialogs;
class QTimer;

// The update check at start-up: asks the maker's server for the newest version and, when there
// is one, offers it while the installer is fetched in the background. Answered Yes and fetched,
// the installer is started and the program asks to be closed a few seconds later.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    UpdateCheck(Dialogs &dialogs, QObject *parent = nullptr);

    // force: offer the download even when no newer version is available.
    void check(bool force);

signals:
    // The program's own caches are to be emptied before the request.
    void emptyCachesRequested();
    // The installer runs: the program should end.
    void quitRequested();

private:
    Dialogs &m_dialogs;
    QTimer *m_closeTimer = nullptr;
};
