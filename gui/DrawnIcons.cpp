#include "gui/DrawnIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every image is designed on a grid of 20 × 20 and scaled to the size asked for.
constexpr qreal kGrid = 20;

void drawShapes(QPainter &p, DrawnIcon which)
{
    const QColor ink(40, 40, 40);
    const QColor blue(40, 90, 170);
    p.setPen(QPen(ink, 1.2));
    switch (which) {
    case DrawnIcon::New:
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF(
            { QPointF(4, 2), QPointF(12, 2), QPointF(16, 6), QPointF(16, 18), QPointF(4, 18) }));
        p.drawPolyline(QPolygonF({ QPointF(12, 2), QPointF(12, 6), QPointF(16, 6) }));
        break;
    case DrawnIcon::Open:
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({ QPointF(2, 5), QPointF(8, 5), QPointF(10, 7), QPointF(17, 7),
                                  QPointF(17, 16), QPointF(2, 16) }));
        p.setBrush(QColor(250, 225, 130));
        p.drawPolygon(
            QPolygonF({ QPointF(4, 10), QPointF(19, 10), QPointF(17, 16), QPointF(2, 16) }));
        break;
    case DrawnIcon::Save:
        p.setBrush(QColor(70, 110, 180));
        p.drawRoundedRect(QRectF(2, 2, 16, 16), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2, 10, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(5, 11, 10, 7));
        break;
    case DrawnIcon::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2, 10, 6));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(2, 7, 16, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 12, 10, 6));
        p.drawLine(QPointF(7, 15), QPointF(13, 15));
        break;
    case DrawnIcon::Font: {
        QFont font(QStringLiteral("Serif"));
        font.setPixelSize(17);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(140, 30, 30));
        p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case DrawnIcon::Information:
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(8.7, 4.2, 2.6, 2.6));
        p.drawRoundedRect(QRectF(8.8, 8.2, 2.4, 7.8), 0.8, 0.8);
        break;
    case DrawnIcon::Help: {
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        QPainterPath hook;
        hook.moveTo(6.9, 7.6);
        hook.cubicTo(6.9, 4.2, 13.1, 4.2, 13.1, 7.6);
        hook.cubicTo(13.1, 9.6, 10, 9.8, 10, 12.2);
        p.strokePath(hook, QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(8.7, 13.9, 2.6, 2.6));
        break;
    }
    case DrawnIcon::Mail:
        p.setPen(QPen(blue, 1.2));
        p.setBrush(QColor(250, 246, 230));
        p.drawRect(QRectF(2, 4.5, 16, 11));
        p.drawPolyline(QPolygonF({ QPointF(2, 4.5), QPointF(10, 11), QPointF(18, 4.5) }));
        break;
    case DrawnIcon::Close:
        p.setBrush(QColor(160, 110, 70));
        p.drawRect(QRectF(3, 2, 9, 16));
        p.setBrush(ink);
        p.drawEllipse(QRectF(9.2, 9.5, 1.4, 1.4));
        p.setPen(QPen(QColor(180, 30, 30), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(11, 10), QPointF(18.5, 10));
        p.drawPolyline(QPolygonF({ QPointF(15.5, 7), QPointF(18.5, 10), QPointF(15.5, 13) }));
        break;
    case DrawnIcon::Repeat: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 150, 20));
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        // Three quarters of a circle, its arrowhead pointing on.
        QPainterPath arc;
        arc.arcMoveTo(QRectF(5.5, 5.5, 9, 9), 90);
        arc.arcTo(QRectF(5.5, 5.5, 9, 9), 90, 270);
        p.strokePath(arc, QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({ QPointF(10, 3.2), QPointF(13.2, 5.5), QPointF(10, 7.8) }));
        break;
    }
    }
}

// Draws on demand, at the size of the button; nothing is drawn before the button is painted.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(DrawnIcon which)
        : m_which(which)
    {
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_which); }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2,
                           rect.y() + (rect.height() - side) / 2);
        painter->scale(side / kGrid, side / kGrid);
        // A button that cannot be used shows its image pale, as Qt's own icons do.
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        drawShapes(*painter, m_which);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    // Drawn at any size; these sizes only answer those who ask which there are.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return { QSize(16, 16), QSize(20, 20), QSize(24, 24), QSize(32, 32), QSize(48, 48) };
    }

    bool isNull() override { return false; }

private:
    DrawnIcon m_which;
};

} // namespace

QIcon drawnIcon(DrawnIcon which)
{
    return QIcon(new DrawnIconEngine(which));
}
