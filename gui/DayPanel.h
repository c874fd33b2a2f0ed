#pragma once

#include <QObject>

class PreparationDocument;
class QLabel;

// The day panel below the tool bar: the day's name on its liturgical colour, with the series.
// It shows what the document holds and keeps nothing of its own.
class DayPanel : public QObject
{
    Q_OBJECT

public:
    // caption holds the day's name and is painted in its colour; seriesCaption and series sit
    // on it.
    DayPanel(const PreparationDocument &document, QLabel &caption, QLabel &seriesCaption,
             QLabel &series, QObject *parent = nullptr);

private:
    void show();

    const PreparationDocument &m_document;
    QLabel &m_caption;
    QLabel &m_seriesCaption;
    QLabel &m_series;
};
