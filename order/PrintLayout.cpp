#include "order/PrintLayout.h"

#include "order/PageKeeping.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <memory>

namespace orderprint {

PrinterMetrics metricsOf(const QPagedPaintDevice &device)
{
    PrinterMetrics m;
    m.dpiX = device.logicalDpiX();
    m.dpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    // Both resolutions are the same for every paged device Qt has; the page layout knows only
    // one.
    const QRect full = layout.fullRectPixels(m.dpiX);
    const QRect paint = layout.paintRectPixels(m.dpiX);
    m.physicalSize = full.size();
    m.offset = paint.topLeft() - full.topLeft();
    m.printableSize = paint.size();
    return m;
}

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * b;
    const qint64 half = (c < 0 ? -qint64(c) : qint64(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const qint64 absProduct = product < 0 ? -product : product;
    const qint64 absC = c < 0 ? -qint64(c) : qint64(c);
    const qint64 q = (absProduct + half) / absC;
    return int(negative ? -q : q);
}

QRect pageRectFor(const PrinterMetrics &m, int marginMm)
{
    const int mx = mulDiv(marginMm, m.dpiX * 100, 2540);
    const int my = mulDiv(marginMm, m.dpiY * 100, 2540);
    const int left = mx - m.offset.x();
    const int top = my - m.offset.y();
    const int right = m.physicalSize.width() - mx;
    const int bottom = m.physicalSize.height() - my;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect toTwips(const QRect &pageRect, const PrinterMetrics &m)
{
    if (m.dpiX <= 0 || m.dpiY <= 0)
        return {};
    int left = 0, top = 0, right = m.printableSize.width(), bottom = m.printableSize.height();
    if (!pageRect.isEmpty()) {
        left = pageRect.left();
        top = pageRect.top();
        right = pageRect.left() + pageRect.width();
        bottom = pageRect.top() + pageRect.height();
    }
    const auto twipsX = [&](int v) { return int(qint64(v) * 1440 / m.dpiX); };
    const auto twipsY = [&](int v) { return int(qint64(v) * 1440 / m.dpiY); };
    return QRect(QPoint(twipsX(left), twipsY(top)), QPoint(twipsX(right) - 1, twipsY(bottom) - 1));
}

QRect fromTwips(const QRect &twips, const PrinterMetrics &m)
{
    const auto devX = [&](int v) { return int(qint64(v) * m.dpiX / 1440); };
    const auto devY = [&](int v) { return int(qint64(v) * m.dpiY / 1440); };
    const int right = twips.left() + twips.width();
    const int bottom = twips.top() + twips.height();
    return QRect(QPoint(devX(twips.left()), devY(twips.top())),
                 QPoint(devX(right) - 1, devY(bottom) - 1));
}

std::unique_ptr<QTextDocument> laidOut(const QTextDocument &document, QPagedPaintDevice &device,
                                       const QRect &rect)
{
    // The view's own document stays untouched: the copy is laid out for the device's
    // resolution (point sizes become device pixels) and broken into pages of the rectangle.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&device);
    copy->setDocumentMargin(0);
    copy->setPageSize(QSizeF(rect.size()));
    return copy;
}

PrintResult printDocument(const QTextDocument &document, QPagedPaintDevice &device,
                          const QRect &rect)
{
    PrintResult result;
    if (rect.width() <= 0 || rect.height() <= 0)
        return result;

    const std::unique_ptr<QTextDocument> copy = laidOut(document, device, rect);
    pagekeeping::keepTogether(*copy);

    QPainter painter;
    if (!painter.begin(&device))
        return result;
    const int pageCount = copy->pageCount();
    const qreal pageHeight = rect.height();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return result;
        }
        painter.save();
        painter.translate(rect.left(), rect.top() - page * pageHeight);
        const QRectF clip(0, page * pageHeight, rect.width(), pageHeight);
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        // The layout moves a line that would cross the page's end to the top of the next page;
        // such a line starts exactly at this page's end. Lines are culled by this rectangle
        // (the painter's clip only hides them), so it stops just short of the end: otherwise the
        // line would also go, hidden, into this page's output.
        context.clip = clip.adjusted(0, 0, 0, -0.5);
        context.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
        ++result.pages;
    }
    result.ok = painter.end();
    return result;
}

} // namespace orderprint
