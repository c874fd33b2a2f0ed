#include "calendar/ChurchYearEvents.h"

#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"

#include <QDateTime>

namespace churchyearcalendar {

namespace {

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
        const Preparation propers = daypropers::ofDay(name, QString::number(series));
        // A colour the library does not give as a number is left out of the text.
        const Result<int> parsed = daycolour::parse(daypropers::colourText(name));
        const QString colour = parsed ? colourName(*parsed) : QString();
        const QStringList lines = {
            line(QStringLiteral("Wochenspruch"), propers.wochenspruch),
            line(QStringLiteral("Psalm"), propers.psalm),
            line(QStringLiteral("AT-Lesung"), propers.atLesung),
            line(QStringLiteral("Epistel"), propers.epistel),
            line(QStringLiteral("Evangelium"), propers.evangelium),
            line(QStringLiteral("Predigttext (Reihe %1)").arg(series), propers.predigttext),
            line(QStringLiteral("Wochenlied"), propers.wochenlied),
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
