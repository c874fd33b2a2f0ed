#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// The church year as a calendar file (iCalendar): one all-day event for every Sunday and
// feast day dated in a calendar year, so that a calendar program shows the days with their
// propers. A second import of the same year updates the events instead of doubling them,
// since every event keeps the same UID.
namespace churchyearcalendar {

// The day entries ("dd.mm.yyyy - Name") of the day list that are dated in the calendar year,
// in date order (days of the same date in the order of the day list). They come from the day
// lists of two church years: the one that ends in the year and the one that begins in it.
// Empty for a year the day list does not handle.
QStringList entriesOfYear(int year);

// One event of the calendar.
struct Event
{
    QDate date;
    QString summary; // the day's name
    QString description; // several lines, joined with "\n"
};

// The calendar's text for a year, as RFC 5545 wants it: UTF-8, lines ending in CR LF and
// folded at 75 octets, texts escaped. stamp is the moment written as every event's DTSTAMP.
QByteArray write(const QList<Event> &events, const QString &calendarName, const QDateTime &stamp);

// A text value escaped for iCalendar: backslash, ";", "," and line ends.
QString escapeText(const QString &text);

// One content line folded into lines of at most 75 octets (without the CR LF), never inside
// a UTF-8 sequence; the continuation lines begin with one blank. Invalid UTF-8 (a run of
// continuation bytes) is cut at the limit.
QByteArray foldLine(const QByteArray &line);

// The UID of a day's event: the same for the same date and name in every file.
QString uid(const QDate &date, const QString &name);

} // namespace churchyearcalendar
