#include "calendar/DayPropers.h"

#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"

namespace daypropers {

QString fromLibrary(const char *result)
{
    return result ? win1252::decode(QByteArray(result)) : QString();
}

Preparation ofDay(const QString &dayName, const QString &series)
{
    const QByteArray key = win1252::encode(dayName);
    Preparation day;
    day.dayName = dayName;
    day.series = series;
    day.wochenspruch = fromLibrary(getVers(key.constData()));
    day.psalm = fromLibrary(getPsalm(key.constData()));
    day.wochenlied = fromLibrary(getWochenlied(key.constData()));
    day.epistel = fromLibrary(getEpistel(key.constData()));
    day.evangelium = fromLibrary(getEvangelium(key.constData()));
    day.predigttext = fromLibrary(getPerikope(key.constData(), series.toInt()));
    day.atLesung = fromLibrary(getATLesung(key.constData()));
    return day;
}

QString colourText(const QString &dayName)
{
    return fromLibrary(getFarbe(win1252::encode(dayName).constData()));
}

} // namespace daypropers
