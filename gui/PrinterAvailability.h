#pragma once

#include <QString>

#include <optional>

class Dialogs;
class QPrinter;
class QRect;
class QTextDocument;

// Whether a print job has anywhere to go. The printer counts when the set-up made it print
// into a PDF file, when the set-up chose a printer the system knows, or when the system has
// a default printer. Without any of these, printing says noPrinterMessage() and prints
// nothing.
namespace printeravailability {

bool canPrint(const QPrinter &printer);

// What printing says when there is nowhere to print: "Es ist kein Standarddrucker ausgewählt."
QString noPrinterMessage();

// Prints document on printer under docName into pageRect (the printer's device pixels). With
// nowhere to print it says noPrinterMessage() and prints nothing; when printing fails it says
// failure, with the PDF file or the printer's name in place of %1.
void printOrSay(Dialogs &dialogs, QPrinter &printer, const QTextDocument &document,
                const QString &docName, const QRect &pageRect, const QString &failure);

// For tests: pretend the system has (true) or has no (false) printers at all; nothing
// restores the real question. A PDF file chosen in the set-up counts either way.
void setSystemPrintersForTesting(std::optional<bool> present);

} // namespace printeravailability
