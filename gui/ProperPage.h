#pragma once

#include "gui/PreparationDocument.h"

#include <QWidget>

#include <memory>

class Dialogs;
class HymnIndexSource;
class QLineEdit;
namespace Ui {
class ProperPage;
}

// The tab "Proprium": the propers of the day and the hymns, edited into the document. A double
// click on a reading (or its button) asks for the passage, a click on "Predigttext" for the
// sermon document; a double click on "Lieder" opens a notes editor with the hymn plan.
class ProperPage : public QWidget
{
    Q_OBJECT

public:
    ProperPage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent = nullptr);
    ~ProperPage() override;

    // The hymn fields complete from the hymn index and say when their hymns were last sung.
    void setHymnIndex(HymnIndexSource &source);

signals:
    // The reading of field is to be shown; byButton: asked by the button beside the field.
    void passageRequested(PreparationDocument::Field field, bool byButton);
    void sermonDocumentRequested();
    void statusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit(PreparationDocument::Field field) const;
    void openNotes();

    std::unique_ptr<Ui::ProperPage> m_ui;
    PreparationDocument &m_document;
    Dialogs &m_dialogs;
};
