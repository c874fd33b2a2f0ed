#include "calendar/ChurchYearCalendar.h"

#include "calendar/ChurchYear.h"

#include <QCryptographicHash>
#include <QSet>

#include <algorithm>

namespace churchyearcalendar {

namespace {

constexpr qsizetype kMaxLineOctets = 75;

QDate entryDate(const QString &entry)
{
    return QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy"));
}

QString dateValue(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

void appendLine(QByteArray &out, const QString &line)
{
    out += foldLine(line.toUtf8());
    out += "\r\n";
}

} // namespace

QStringList entriesOfYear(int year)
{
    // The day list of January holds the church year ending in this year (with its turn of
    // the year and the days up to Christmas); the one of December adds the days after
    // Christmas. Days both lists hold appear once.
    QStringList entries;
    QSet<QString> seen;
    for (const QDate &around : { QDate(year, 1, 1), QDate(year, 12, 1) }) {
        if (!around.isValid())
            continue;
        for (const QString &entry : churchyear::FillDayList(around)) {
            if (entryDate(entry).year() == year && !seen.contains(entry)) {
                seen.insert(entry);
                entries.append(entry);
            }
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const QString &a, const QString &b) {
        return entryDate(a) < entryDate(b);
    });
    return entries;
}

QString escapeText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QStringLiteral("\\n");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c.category() == QChar::Other_Control) {
            // Other control characters may not stand in a text value.
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray foldLine(const QByteArray &line)
{
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = kMaxLineOctets;
    while (line.size() - start > room) {
        qsizetype end = start + room;
        // Step back to the first byte of a UTF-8 sequence (continuation bytes are 10xxxxxx).
        while (end > start && (static_cast<unsigned char>(line.at(end)) & 0xC0) == 0x80)
            --end;
        // Invalid UTF-8 with no character start in reach: cut at the limit all the same.
        if (end == start)
            end = start + room;
        out += line.mid(start, end - start);
        out += "\r\n ";
        start = end;
        room = kMaxLineOctets - 1; // the leading blank counts
    }
    out += line.mid(start);
    return out;
}

QString uid(const QDate &date, const QString &name)
{
    const QByteArray hash
        = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return dateValue(date) + u'-' + QString::fromLatin1(hash)
        + QStringLiteral("@kirchenjahr.pergolan");
}

QByteArray write(const QList<Event> &events, const QString &calendarName, const QDateTime &stamp)
{
    const QString stampText = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray out;
    appendLine(out, QStringLiteral("BEGIN:VCALENDAR"));
    appendLine(out, QStringLiteral("VERSION:2.0"));
    appendLine(out, QStringLiteral("PRODID:-//Pergolan//Kirchenjahr//DE"));
    appendLine(out, QStringLiteral("CALSCALE:GREGORIAN"));
    appendLine(out, QStringLiteral("X-WR-CALNAME:") + escapeText(calendarName));
    for (const Event &event : events) {
        appendLine(out, QStringLiteral("BEGIN:VEVENT"));
        appendLine(out, QStringLiteral("UID:") + uid(event.date, event.summary));
        appendLine(out, QStringLiteral("DTSTAMP:") + stampText);
        appendLine(out, QStringLiteral("DTSTART;VALUE=DATE:") + dateValue(event.date));
        appendLine(out, QStringLiteral("DTEND;VALUE=DATE:") + dateValue(event.date.addDays(1)));
        appendLine(out, QStringLiteral("SUMMARY:") + escapeText(event.summary));
        if (!event.description.isEmpty())
            appendLine(out, QStringLiteral("DESCRIPTION:") + escapeText(event.description));
        // A marker in the calendar, not an appointment that makes the day busy.
        appendLine(out, QStringLiteral("TRANSP:TRANSPARENT"));
        appendLine(out, QStringLiteral("END:VEVENT"));
    }
    appendLine(out, QStringLiteral("END:VCALENDAR"));
    return out;
}

} // namespace churchyearcalendar
