#pragma once

#include "order/OrderText.h"

class QTextDocument;

namespace ordertext {

// Replaces the document's content by the lines, one paragraph per line, each in its own
// character format. Only size, bold and italic are set: the font face is the document's, and
// no paragraph formatting is applied.
void writeToDocument(QTextDocument &document, const QList<Line> &lines);

} // namespace ordertext
