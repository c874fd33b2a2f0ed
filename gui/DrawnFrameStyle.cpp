#include "gui/DrawnFrameStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Fusion's space between the group box's title and its frame.
constexpr int kTitleGap = 3;

} // namespace

void DrawnFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame begins below the title (or the check box), as Fusion's picture does.
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    int top = kTitleGap;
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                        option->fontMetrics.height());
    const QRectF frame = QRectF(option->rect.adjusted(0, top, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
    // Fusion's picture: a faint outline, the inside as the window.
    const QColor outline = option->palette.window().color().darker(115);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(frame, 2.0, 2.0);
    painter->restore();
}

void drawGroupBoxFramesWithoutPictures()
{
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
        return;
    QApplication::setStyle(new DrawnFrameStyle(QStyleFactory::create(QStringLiteral("fusion"))));
}
