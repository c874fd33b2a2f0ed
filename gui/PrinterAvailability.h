#pragma once

#include <QString>

#include <optional>

class QPrinter;

// Whether a print job has anywhere to go. The printer counts when the set-up made it print
// into a PDF file, when the set-up chose a printer the system knows, or when the system has
// a default printer. Without any of these, printing says noPrinterMessage() and prints
// nothing.
namespace printeravailability {

bool canPrint(const QPrinter &printer);

// What printing says when there is nowhere to print: "Es ist kein Standarddrucker ausgewählt."
QString noPrinterMessage();

// For tests: pretend the system has (true) or has no (false) printers at all; nothing
// restores the real question. A PDF file chosen in the set-up counts either way.
void setSystemPrintersForTesting(std::optional<bool> present);

} // namespace printeravailability
