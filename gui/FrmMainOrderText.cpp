// The main window's handler that generates the order of service.
#include "gui/FrmMain.h"

#include "gui/OrderTextView.h"
#include "order/OrderText.h"
#include "order/PrintLayout.h"
#include "storage/LiturgicalTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

int TfrmMain::dayColour() const
{
    // The panel keeps the colour as its background; the library gives every colour the flag
    // byte 0x02, which the background has no place for.
    const QColor colour = lblTagesname->palette().color(QPalette::Window);
    return ordertext::colourFromRgb(colour.red(), colour.green(), colour.blue());
}

void TfrmMain::btnCompileClick()
{
    pclPageControl->setCurrentWidget(tshOrdinarium);
    pclPageControl->setCurrentWidget(tshLiturgie);
    txtAblauf->clear();
    // Fixed now: choosing another printer later does not move the margins.
    setPageRect(orderprint::pageRectFor(orderprint::metricsOf(currentPrinter())));

    const auto lines = [](const QPlainTextEdit *memo) {
        return liturgicaltexts::memoLines(memo->toPlainText());
    };
    ordertext::OrderInput input;
    static_cast<Preparation &>(input) = preparation();
    input.dayPanelCaption = lblTagesname->text();
    input.colour = dayColour();
    input.dayEntry = cmbTag->currentText();
    input.dialog1 = lines(txtDialog1);
    input.dialog2 = lines(txtDialog2);
    input.dialog3 = lines(txtDialog3);
    input.gloriaPatri = lines(txtGloriaPatri);
    input.kyrie = lines(txtKyrie);
    input.gloriaExcelsis = lines(txtGloriaExcelsis);
    input.credo = lines(txtCredo);
    input.vaterUnser = lines(txtVaterUnser);
    input.segen = lines(txtSegen);
    input.textFilePath = &liturgicaltexts::textFilePath;

    const ordertext::OrderText text = ordertext::generate(input);
    // What was written before a text file failed stays in the view.
    ordertext::writeToDocument(*txtAblauf->document(), text.lines);
    if (!text.error.isEmpty())
        dialogs().error(text.error);
}
