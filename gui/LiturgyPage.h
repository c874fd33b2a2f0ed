#pragma once

#include "gui/PreparationDocument.h"

#include <QImage>
#include <QPrinter>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class Dialogs;
class QAction;
namespace Ui {
class LiturgyPage;
}
namespace ordertext {
struct OrderInput;
}

// The tab "Liturgie": the basic form, the sequence and the four occasional-service ticks of the
// document, the order of service generated from it, printed and exported.
class LiturgyPage : public QWidget
{
    Q_OBJECT

public:
    LiturgyPage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent = nullptr);
    ~LiturgyPage() override;

    // What the order text takes from outside the document: the liturgical texts and the day
    // entry. The window sets it.
    void setOrderSources(std::function<void(ordertext::OrderInput &)> sources);

    // Strg+P: prints as the button does, wherever the window is.
    QAction *printAction() const;

    // The printer that printing and the page rectangle use. Made on first use: asking the
    // print system (which may wait for its server) is no part of the start.
    QPrinter &printer();
    // The print area of the order in printer device units: empty until the first generation,
    // then set by every generation for the printer current at that moment.
    QRect pageRect() const { return m_pageRect; }

    // Generates the order of service into the view.
    void compile();

signals:
    // The order is about to be generated: the window shows the pages it is made from.
    void compiling();
    void statusText(const QString &text);

private:
    void showSequence();
    void showTicks();
    void showBasicForm();
    void showPageFormat();
    void tick(occasional::Service service, bool on);
    void move(bool up);
    void setUpPrinter();
    void print();
    void exportOrder();
    // The order's own PDF file name: by the day and its date.
    QString orderPdfName() const;
    // Names the filled fields the sequence has no place for, above the order and in the
    // status bar; hides the note when every field has its place.
    void tellUnplacedFields();
    void showUnplacedNote(const QString &note);

    std::unique_ptr<Ui::LiturgyPage> m_ui;
    PreparationDocument &m_document;
    Dialogs &m_dialogs;
    std::function<void(ordertext::OrderInput &)> m_sources;
    std::unique_ptr<QPrinter> m_printer;
    QRect m_pageRect;
    // The two glyphs of btnSeitenformat: 0 portrait, 1 landscape.
    std::array<QImage, 2> m_glyphs;
    // The basic-form box's own hint.
    QString m_formHint;
    // The PDF file chosen in the set-up; empty for a printer.
    QString m_chosenPdf;
    // Where the order view stands without a note above it.
    QRect m_orderGeometry;
};
