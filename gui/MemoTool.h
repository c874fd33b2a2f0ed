#pragma once

#include <QStringList>
#include <QWidget>

class Dialogs;
class QPrinter;
class QTextDocument;
class QTextEdit;
class QToolButton;

// The six lines of the hymn plan that a new notes editor starts with, from the texts of the
// hymn fields Eingangslied, Wochenlied, Vorpredigtslied, Kollektenlied, Ausgangslied.
QStringList hymnPlanLines(const QString &eingangslied, const QString &wochenlied,
                          const QString &vorpredigtslied, const QString &kollektenlied,
                          const QString &ausgangslied);

// Prints a note on printer as the print job "Notizzettel", page after page, with the text's
// own formatting.
void printNote(const QTextDocument &note, QPrinter &printer);

// The hymn-notes editor: a small window of its own with a rich-text note. Every editor is
// independent of the main window's preparation and of every other editor; closing it
// discards the note.
class TfrmMemoTool : public QWidget
{
    Q_OBJECT

public:
    // dialogs must outlive the window (the main window owns both).
    explicit TfrmMemoTool(Dialogs &dialogs, QWidget *parent = nullptr);

    QWidget *Panel1 = nullptr;
    QToolButton *SpeedButton1 = nullptr; // open
    QToolButton *SpeedButton2 = nullptr; // new
    QToolButton *SpeedButton3 = nullptr; // save
    QToolButton *SpeedButton4 = nullptr; // print
    QToolButton *SpeedButton5 = nullptr; // font
    QTextEdit *Memo1 = nullptr;

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();

private:
    Dialogs &m_dialogs;
};
