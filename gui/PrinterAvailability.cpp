#include "gui/PrinterAvailability.h"

#include "gui/Dialogs.h"
#include "order/PdfNames.h"
#include "order/PrintLayout.h"

#include <QDir>

#include <QPrinter>
#include <QPrinterInfo>

namespace printeravailability {
namespace {

std::optional<bool> &systemOverride()
{
    static std::optional<bool> value;
    return value;
}

bool systemPrinterFor(const QPrinter &printer)
{
    if (systemOverride())
        return *systemOverride();
    if (!printer.printerName().isEmpty()
        && !QPrinterInfo::printerInfo(printer.printerName()).isNull())
        return true;
    return !QPrinterInfo::defaultPrinter().isNull();
}

} // namespace

bool canPrint(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    return systemPrinterFor(printer);
}

void setSystemPrintersForTesting(std::optional<bool> present)
{
    systemOverride() = present;
}

QString noPrinterMessage()
{
    return QStringLiteral("Es ist kein Standarddrucker ausgewählt.");
}

bool printOrSay(Dialogs &dialogs, QPrinter &printer, const QTextDocument &document,
                const QString &docName, const QRect &pageRect, const QString &failure)
{
    if (!canPrint(printer)) {
        dialogs.error(noPrinterMessage());
        return false;
    }
    printer.setDocName(docName);
    if (!orderprint::printDocument(document, printer, pageRect).ok) {
        dialogs.error(failure.arg(printer.outputFormat() == QPrinter::PdfFormat
                                      ? printer.outputFileName()
                                      : printer.printerName()));
        return false;
    }
    return true;
}

QString destination(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("in die PDF-Datei ")
            + QDir::toNativeSeparators(printer.outputFileName());
    const QString name = printer.printerName().isEmpty()
        ? QPrinterInfo::defaultPrinter().printerName()
        : printer.printerName();
    return QStringLiteral("auf dem Drucker „%1“").arg(name);
}

void proposeFile(QPrinter &printer, const QString &docName, const QString &fileName)
{
    printer.setDocName(docName);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(
            pdfnames::besidePrevious(printer.outputFileName(), fileName, QDir::homePath()));
}

} // namespace printeravailability
