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
// failure, with the PDF file or the printer's name in place of %1. True when printed.
bool printOrSay(Dialogs &dialogs, QPrinter &printer, const QTextDocument &document,
                const QString &docName, const QRect &pageRect, const QString &failure);

// Where the printer prints, to be told after printing: "auf dem Drucker „Büro“" or "in die
// PDF-Datei /home/p/Ablauf 1. Advent 29.11.2026.pdf".
QString destination(const QPrinter &printer);

// Before a document's printer dialog: the document's name, and for a printer that prints into
// a PDF file the document's own file (fileName) beside the PDF printed last, so that no
// document proposes another's file.
void proposeFile(QPrinter &printer, const QString &docName, const QString &fileName);

// For tests: pretend the system has (true) or has no (false) printers at all; nothing
// restores the real question. A PDF file chosen in the set-up counts either way.
void setSystemPrintersForTesting(std::optional<bool> present);

} // namespace printeravailability
