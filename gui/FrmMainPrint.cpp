// The main window's handlers for printing and the page format.
#include "gui/FrmMain.h"
#include "gui/PrinterAvailability.h"
#include "order/PageFormat.h"
#include "order/PrintLayout.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>

QPrinter &TfrmMain::currentPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void TfrmMain::btnPrinterSetupClick()
{
    // The dialog changes the printer only when confirmed; the page rectangle stays as the
    // last generation computed it.
    dialogs().setupPrinter(currentPrinter());
}

void TfrmMain::btnPrintClick()
{
    // A view that holds text is printed as it stands, with the user's edits; only an empty
    // one is generated first.
    if (txtAblauf->toPlainText().isEmpty())
        btnCompileClick();

    QPrinter &printer = currentPrinter();
    if (!printeravailability::canPrint(printer)) {
        dialogs().error(printeravailability::noPrinterMessage());
        return;
    }

    printer.setDocName(lblTagesname->text().trimmed());
    const orderprint::PrinterMetrics metrics = orderprint::metricsOf(printer);
    const QRect twips = orderprint::toTwips(m_pageRect, metrics);
    const orderprint::PrintResult result = orderprint::printDocument(
        *txtAblauf->document(), printer, orderprint::fromTwips(twips, metrics));
    if (!result.ok)
        dialogs().error(QStringLiteral("Der Ablauf konnte nicht gedruckt werden (Drucker: %1).")
                            .arg(printer.outputFormat() == QPrinter::PdfFormat
                                     ? printer.outputFileName()
                                     : printer.printerName()));
}

void TfrmMain::btnSeitenformatClick()
{
    if (imgListe[0].isNull()) {
        imgListe[pageformat::kPortrait] = pageformat::glyph(pageformat::kPortrait);
        imgListe[pageformat::kLandscape] = pageformat::glyph(pageformat::kLandscape);
    }
    const int format = pageformat::toggled(pageFormat());
    setPageFormat(format);
    btnSeitenformat->setToolTip(pageformat::hint(format));
    btnSeitenformat->setIcon(QIcon(QPixmap::fromImage(imgListe[format])));
}
