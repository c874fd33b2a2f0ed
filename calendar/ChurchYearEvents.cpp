#include "calendar/ChurchYearEvents.h"

#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"

#include <QDateTime>

namespace churchyearcalendar {

namespace {

QString fromLibrary(const char *result)
{
    return result ? win1252::decode(QByteArray(result)) : QString();
}

QString line(const QString &label, const QString &value)
{
    return label + QStringLiteral(": ") + (value.isEmpty() ? QStringLiteral("–") : value);
}

} // namespace

QString colourName(int colour)
{
    switch (colour) {
    case daycolour::kWhite:
        return QStringLiteral("weiß");
    case daycolour::kViolet:
        return QStringLiteral("violett");
    case daycolour::kBlack:
        return QStringLiteral("schwarz");
    case 0x02008000:
        return QStringLiteral("grün");
    case 0x020000FF:
        return QStringLiteral("rot");
    default:
        return QStringLiteral("#%1%2%3")
            .arg(daycolour::red(colour), 2, 16, QChar(u'0'))
            .arg(daycolour::green(colour), 2, 16, QChar(u'0'))
            .arg(daycolour::blue(colour), 2, 16, QChar(u'0'))
            .toUpper();
    }
}

QList<Event> eventsOfYear(int year)
{
    QList<Event> events;
    for (const QString &entry : entriesOfYear(year)) {
        const QString name = dayentry::dayName(entry);
        // The entries of the day list always begin with their date.
        const int series = dayentry::seriesNumber(entry).value();
        const QByteArray key = win1252::encode(name);
        // A colour the library does not give as a number is left out of the text.
        const Result<int> parsed = daycolour::parse(fromLibrary(getFarbe(key.constData())));
        const QString colour = parsed ? colourName(*parsed) : QString();
        const QStringList lines = {
            line(QStringLiteral("Wochenspruch"), fromLibrary(getVers(key.constData()))),
            line(QStringLiteral("Psalm"), fromLibrary(getPsalm(key.constData()))),
            line(QStringLiteral("Epistel"), fromLibrary(getEpistel(key.constData()))),
            line(QStringLiteral("Evangelium"), fromLibrary(getEvangelium(key.constData()))),
            line(QStringLiteral("Predigttext (Reihe %1)").arg(series),
                 fromLibrary(getPerikope(key.constData(), series))),
            line(QStringLiteral("Wochenlied"), fromLibrary(getWochenlied(key.constData()))),
            line(QStringLiteral("Liturgische Farbe"), colour),
        };
        events.append({ QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy")), name,
                        lines.join(u'\n') });
    }
    return events;
}

QByteArray calendarOfYear(int year)
{
    return write(eventsOfYear(year), QStringLiteral("Kirchenjahr %1").arg(year),
                 QDateTime::currentDateTimeUtc());
}

} // namespace churchyearcalendar
