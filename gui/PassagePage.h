#pragma once

#include "gui/PreparationDocument.h"

#include <QWidget>

#include <memory>
#include <optional>

class Dialogs;
class QTextEdit;
namespace Ui {
class PassagePage;
}

// The tab "Perikope": a Bible passage offline from the installed Bible text and online in a web
// view, which is made only when a passage is first shown online.
class PassagePage : public QWidget
{
    Q_OBJECT

public:
    PassagePage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent = nullptr);
    ~PassagePage() override;

    // Looks up the reading of a field: its text normalised (and written back when that changes
    // it; a psalm asked for by its button is cut before its "," and leaves the field as it was).
    // True when a passage is shown.
    bool openField(PreparationDocument::Field field, bool byButton);
    // The tab was brought to the front, by the user or by a lookup: it shows how to read a
    // Bible in while there is none, and, chosen by the user, the day's sermon text.
    void tabShown(bool byUser);
    // Looks the sermon text up as the tab does (the view refilled, a message shown when the
    // reference leads nowhere) and gives the view's lines; nothing when the offline view was
    // not refilled.
    std::optional<QStringList> sermonPassageLines(const QString &reference);

    // Empties the web view's own cache, when there is a web view.
    void clearCache();

signals:
    // "Lesungen für den Lektor …": the day's readings for the lector are asked for.
    void lectorRequested();

private:
    void addLectorButton();
    bool lookUp(QString &reference);
    QWidget *browser();

    std::unique_ptr<Ui::PassagePage> m_ui;
    PreparationDocument &m_document;
    Dialogs &m_dialogs;
    QWidget *m_browser = nullptr;
    bool m_browserFailed = false;
};
