#include "gui/DayPanel.h"

#include "calendar/DayColour.h"
#include "gui/PreparationDocument.h"

#include <QColor>
#include <QLabel>
#include <QPalette>

namespace {

void setTextColour(QLabel &label, const QColor &colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

DayPanel::DayPanel(const PreparationDocument &document, QLabel &caption, QLabel &seriesCaption,
                   QLabel &series, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_caption(caption)
    , m_seriesCaption(seriesCaption)
    , m_series(series)
{
    connect(&document, &PreparationDocument::dayChanged, this, &DayPanel::show);
}

void DayPanel::show()
{
    m_caption.setText(m_document.dayCaption());
    m_series.setText(m_document.preparation().series);
    const int colour = m_document.dayColour();
    if (colour < 0)
        return;
    const QColor text = daycolour::wantsBlackText(colour) ? QColor(Qt::black) : QColor(Qt::white);
    QPalette palette = m_caption.palette();
    palette.setColor(
        QPalette::Window,
        QColor(daycolour::red(colour), daycolour::green(colour), daycolour::blue(colour)));
    palette.setColor(QPalette::WindowText, text);
    m_caption.setPalette(palette);
    setTextColour(m_seriesCaption, text);
    setTextColour(m_series, text);
}
