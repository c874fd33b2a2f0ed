#pragma once

#include "base/Result.h"
#include "base/TextTrim.h"

#include <QString>
#include <QStringList>

// What the export of the order reads from the main window.
struct OrderExportInput
{
    // The lines of the generated order, from the day name in line 0 on.
    QStringList lines;
    // The element names of the sequence list; a line beginning with one opens that element.
    QStringList elementNames;
    // The page format: 0 portrait, 1 landscape (two columns on landscape pages).
    int pageFormat = 0;
};

// Builds a new LibreOffice text document from the order: the day name as title and heading,
// the date line in parentheses, one paragraph per block with line breaks between its lines
// and shadowed characters on the lines that open an element. The document is left open and
// unsaved in the office. Gives false when the office cannot be reached; fails with the
// office's message when it fails while the document is being set up.
Result<bool> ExportOrder(const QString &dayName, const OrderExportInput &input);

// Whether the line opens an element of the sequence: its trimmed text begins with an element
// name other than "Kyrie" (whose text lines may begin with the word itself).
bool opensElement(const QString &line, const QStringList &elementNames);
