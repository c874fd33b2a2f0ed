#include "order/PageKeeping.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace pagekeeping {
namespace {

constexpr int kKeepWithNext = QTextFormat::UserProperty + 0x4b01;
constexpr int kKeepWithPrevious = QTextFormat::UserProperty + 0x4b02;

bool marked(const QTextBlock &block, int property)
{
    return block.blockFormat().boolProperty(property);
}

bool breaksBefore(const QTextBlock &block)
{
    return (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
}

// The pages of a block's first and last line in the laid-out document.
struct Pages
{
    int first = 0;
    int last = 0;
};

Pages pagesOf(const QTextDocument &document, const QTextBlock &block)
{
    // Asking for the block's rectangle lays the document out as far as the block.
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    const qreal height = document.pageSize().height();
    const auto page = [height](qreal y) { return int(std::floor(y / height)); };
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return { page(rect.top()), page(rect.top()) };
    // Lines count from the layout's position, where the rectangle's top is in the document.
    const qreal top = rect.top();
    return { page(top + layout->lineAt(0).y()),
             page(top + layout->lineAt(layout->lineCount() - 1).y()) };
}

// Moves the block, with the paragraphs before it that keep with it, to the next page. False
// when that changes nothing: they begin a page already, or the document.
bool moveToNextPage(const QTextDocument &document, QTextBlock block)
{
    while (!breaksBefore(block) && block.previous().isValid()
           && marked(block.previous(), kKeepWithNext))
        block = block.previous();
    if (breaksBefore(block) || !block.previous().isValid()
        || pagesOf(document, block.previous()).last < pagesOf(document, block).first)
        return false;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
    return true;
}

// The block to move so that a paragraph kept with the previous one has company: the previous
// paragraph, or, where that is a heading kept with it, the paragraph before the heading too.
QTextBlock companionOf(const QTextBlock &block)
{
    QTextBlock companion = block.previous();
    while (companion.isValid() && marked(companion, kKeepWithNext) && !breaksBefore(companion)
           && companion.previous().isValid())
        companion = companion.previous();
    return companion;
}

} // namespace

void keepWithNext(QTextBlockFormat &format)
{
    format.setProperty(kKeepWithNext, true);
}

void keepWithPrevious(QTextBlockFormat &format)
{
    format.setProperty(kKeepWithPrevious, true);
}

void keepTogether(QTextDocument &document)
{
    if (document.pageSize().height() <= 0)
        return;
    // Each move puts a page break before a paragraph that had none and changes nothing before
    // it, so one pass from the start does; what follows a move is laid out anew when asked.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (marked(block, kKeepWithNext) && next.isValid() && !breaksBefore(next)
            && pagesOf(document, block).last < pagesOf(document, next).first
            && moveToNextPage(document, block))
            continue;
        if (marked(block, kKeepWithPrevious) && block.previous().isValid()
            && pagesOf(document, block.previous()).last < pagesOf(document, block).last) {
            const QTextBlock companion = companionOf(block);
            if (companion.isValid())
                moveToNextPage(document, companion);
        }
    }
}

} // namespace pagekeeping
