#include "order/PageFormat.h"

#include <QPainter>

namespace pageformat {

int toggled(int format)
{
    return format != kPortrait ? kPortrait : kLandscape;
}

QString hint(int format)
{
    return format == kPortrait ? QStringLiteral("Aktuell eingestelltes Format: Hochformat")
                               : QStringLiteral("Aktuell eingestelltes Format: Querformat");
}

QString startHint()
{
    return QStringLiteral("Schritt 2: Seitenformat wählen (Aktuell: Hochkant)");
}

QImage glyph(int format)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The sheet: 10 x 14 upright or 14 x 10 lying, centred.
    const bool landscape = format != kPortrait;
    const QRect sheet = landscape ? QRect(1, 3, 14, 10) : QRect(3, 1, 10, 14);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    // Lines of text across the sheet.
    painter.setPen(QColor(0x30, 0x60, 0xb0));
    for (int y = sheet.top() + 3; y < sheet.bottom() - 1; y += 2)
        painter.drawLine(sheet.left() + 2, y, sheet.right() - 3, y);
    return image;
}

} // namespace pageformat
