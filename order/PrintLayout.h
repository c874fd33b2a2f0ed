#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

// Printing the order of service: the page rectangle with its margins, computed for the
// printer current at generation time, and the page-by-page layout of the order view's text
// into that rectangle. Works on any paged device (a printer, a PDF writer).
namespace orderprint {

// What printing needs to know of a printer, in its device units.
struct PrinterMetrics
{
    int dpiX = 0;
    int dpiY = 0;
    QSize physicalSize; // the whole sheet
    QPoint offset; // unprintable strip at the left and at the top
    QSize printableSize; // the printable part of the sheet
};

PrinterMetrics metricsOf(const QPagedPaintDevice &device);

// a * b / c with a 64-bit product, rounded to the nearest integer (halves away from zero).
int mulDiv(int a, int b, int c);

// The print area with a margin of marginMm millimetres on every side, in device units
// counted from the origin of the printable area: left and top are reduced by the unprintable
// offsets, right and bottom are counted from the physical sheet edge as they always were.
QRect pageRectFor(const PrinterMetrics &metrics, int marginMm = 15);

// The rectangle in twips (1/1440 inch) in which the text is laid out: each edge times 1440
// divided by the resolution of its direction, with integer division. An empty page
// rectangle (never generated) stands for the whole printable page.
QRect toTwips(const QRect &pageRect, const PrinterMetrics &metrics);

// Back from twips to device units, for the layout on the device.
QRect fromTwips(const QRect &twips, const PrinterMetrics &metrics);

struct PrintResult
{
    bool ok = false; // false when the device could not be painted on or a new page failed
    int pages = 0;
};

// A copy of the document laid out as it is printed: for the device's resolution, in pages of
// the rectangle's size (device units), without a margin of its own. The document's paragraphs
// are not yet kept together (pagekeeping::keepTogether).
std::unique_ptr<QTextDocument> laidOut(const QTextDocument &document, QPagedPaintDevice &device,
                                       const QRect &rect);

// Lays the document into rect (device units, relative to the printable area's origin) on
// the current page, continues on new pages until all text is placed, and ends the job.
// Each page uses the same rectangle. Lines are never split across pages; paragraphs marked to
// keep together (order/PageKeeping.h) are kept together.
PrintResult printDocument(const QTextDocument &document, QPagedPaintDevice &device,
                          const QRect &rect);

} // namespace orderprint
