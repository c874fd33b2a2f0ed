#pragma once

#include <QDialog>

class Dialogs;
class HymnIndexSource;
class QLabel;

// "Liederverzeichnis einlesen": shows the format of a parish's list of hymns (book;number;title)
// and how many hymns the kept list holds, and reads a chosen file in whole or not at all.
class HymnListDialog : public QDialog
{
public:
    HymnListDialog(HymnIndexSource &source, Dialogs &dialogs, QWidget *parent = nullptr);

private:
    void showKept();
    void readIn();

    HymnIndexSource &m_source;
    Dialogs &m_dialogs;
    QLabel *m_kept = nullptr;
};
