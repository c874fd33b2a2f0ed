#pragma once

class QTextBlockFormat;
class QTextDocument;

// Which paragraphs of a printed document stay together across a page's end. A paragraph marked
// to keep with the next one (a heading) never ends a page while the next one begins the
// following page; a paragraph marked to keep with the previous one (the last verse of a
// reading) never stands alone, whole or in its last lines, on the page where it ends. A text
// document has no such rule of its own: keepTogether puts a page break before the paragraphs
// that must move to the next page.
namespace pagekeeping {

void keepWithNext(QTextBlockFormat &format);
void keepWithPrevious(QTextBlockFormat &format);

// For a document laid out in pages (its page size set, for the device it is printed on): a
// page break before every paragraph that must move so that the marks hold, from the first
// page to the last. Where a mark cannot hold (the paragraphs to keep together are longer than
// a page, or a page break of the document's own stands between them) the document stays as it
// is there. A document without a page height is left alone.
void keepTogether(QTextDocument &document);

} // namespace pagekeeping
