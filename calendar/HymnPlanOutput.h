#pragma once

#include "calendar/HymnPlan.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QTextDocument;

// The hymn plan as the organist receives it: a table for a spreadsheet, a calendar file, the
// text of an e-mail and a link that opens the desktop's mail program with it, and a document
// to print. A hymn of the week taken from the propers because the day has no saved preparation
// yet is marked "(Vorschlag)", as is the sermon text of such a day.
namespace hymnplan {

// "Lieder für die Gottesdienste vom TT.MM.JJJJ bis TT.MM.JJJJ"
QString title(const Plan &plan);

// The five hymns and the sermon text of a row as they are shown, with the suggestion marked.
QStringList shownHymns(const Row &row);
// The hymns as shown, each sung lately (Row::recentlySung) followed by when:
// "EG 10 – zuletzt gesungen am 06.12.2026 (2. Sonntag im Advent)".
QStringList markedHymns(const Row &row);
QString shownSermonText(const Row &row);
// The file of a row as it is shown, with a note when further versions of the service are saved:
// "2/2 Palmsonntag (2).ini (+1 weitere Fassung)".
QString shownFile(const Row &row);

// CSV as pergolan-lieder writes it (UTF-8 without BOM, ";", CR LF, the date bare and every
// text field in double quotes as hymncsv::field writes it) with
// the header "Datum;Tag;Liturgische Farbe;Eingangslied;Wochenlied;Vorpredigtslied;
// Kollektenlied;Ausgangslied;Predigttext;Datei;Vor kurzem gesungen", one line per service. The
// last column names each hymn sung lately with when ("Eingangslied: zuletzt gesungen am
// 06.12.2026 (2. Sonntag im Advent)"), several separated by " | ".
QByteArray toCsv(const Plan &plan);

// An iCalendar file with one all-day event per service (UID as in the church-year calendar, so
// that a calendar program updates the day instead of doubling it), the hymns (marked as
// markedHymns marks them), the sermon text and the colour in its description. stamp becomes every
// event's DTSTAMP.
QByteArray toICal(const Plan &plan, const QDateTime &stamp);

// The plan as the plain text of an e-mail: the title, then per service a line with weekday,
// date, day and colour and one line per hymn and the sermon text; lines end in "\n".
QString toPlainText(const Plan &plan);

// The longest mailto: link handed to the desktop. xdg-open passes the link as one argument
// (Linux allows 128 KiB), and the mail programs of the desktop take links far longer than
// this; 8,000 characters keeps a margin for any program that copies the link into a buffer
// of fixed size, and holds about twenty services.
inline constexpr qsizetype kMaxMailtoLength = 8000;

struct MailLink
{
    QString url; // "mailto:<recipient>?subject=...&body=..." in percent-encoded UTF-8
    int servicesLeftOut = 0; // services cut off to keep the link within kMaxMailtoLength
};

// The link that opens the desktop's mail program with the title as subject and the plain
// text as body (lines ending in CR LF, as RFC 6068 asks). When the whole plan does not fit,
// the last services are left out and the body says so.
MailLink mailtoLink(const Plan &plan, const QString &recipient = {});

// The plan as HTML for printing: the title and a table with one row per service; below a hymn
// sung lately, in italics, when.
QString toHtml(const Plan &plan);

// The size of the printed plan's text: nine columns side by side across a landscape page.
inline constexpr qreal kPrintPointSize = 9;

// The plan into a document for printing (or a PDF through the print dialog), meant for a
// landscape page: lines break between words only, so no word, date or hymn number is split;
// the columns are as wide as their content.
void fillDocument(QTextDocument &document, const Plan &plan);

} // namespace hymnplan
