#include "calendar/HymnPlanOutput.h"

#include "calendar/ChurchYearCalendar.h"
#include "storage/HymnCsv.h"

#include <QFont>
#include <QLocale>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

namespace hymnplan {

namespace {

const QStringList &hymnLabels()
{
    static const QStringList labels
        = { QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
            QStringLiteral("Vorpredigtslied"), QStringLiteral("Kollektenlied"),
            QStringLiteral("Ausgangslied") };
    return labels;
}

constexpr int kWeekHymn = 1;

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString suggestion(const QString &text)
{
    return text.isEmpty() ? text : text + QStringLiteral(" (Vorschlag)");
}

// "–" for an empty field in the texts meant for reading.
QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("–") : text;
}

QString heading(const Row &row)
{
    QString text = QLocale(QLocale::German, QLocale::Germany)
                       .toString(row.date, QStringLiteral("dddd, dd.MM.yyyy"))
        + QStringLiteral(": ") + row.dayName;
    if (!row.colour.isEmpty())
        text += QStringLiteral(" (") + row.colour + u')';
    return text;
}

QString rowText(const Row &row)
{
    QString text = heading(row) + u'\n';
    const QStringList hymns = markedHymns(row);
    for (qsizetype i = 0; i < hymnLabels().size(); ++i)
        text += hymnLabels().at(i) + QStringLiteral(": ") + orDash(hymns.value(i)) + u'\n';
    text += QStringLiteral("Predigttext: ") + orDash(shownSermonText(row)) + u'\n';
    return text;
}

QString percentEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString mailtoUrl(const QString &recipient, const QString &subject, const QString &body)
{
    QString crlfBody = body;
    crlfBody.replace(u'\n', QStringLiteral("\r\n"));
    return QStringLiteral("mailto:") + percentEncoded(recipient) + QStringLiteral("?subject=")
        + percentEncoded(subject) + QStringLiteral("&body=") + percentEncoded(crlfBody);
}

} // namespace

QString title(const Plan &plan)
{
    return QStringLiteral("Lieder für die Gottesdienste vom %1 bis %2")
        .arg(dateText(plan.from), dateText(plan.to));
}

QStringList shownHymns(const Row &row)
{
    QStringList hymns = row.hymns;
    if (row.suggested() && hymns.size() > kWeekHymn)
        hymns[kWeekHymn] = suggestion(hymns.at(kWeekHymn));
    for (qsizetype i = 0; i < hymns.size() && i < hymnLabels().size(); ++i) {
        if (!hymns.at(i).isEmpty() && row.hymnsWithoutPlace.contains(hymnLabels().at(i)))
            hymns[i] += QStringLiteral(" (nicht im Ablauf)");
    }
    return hymns;
}

QStringList markedHymns(const Row &row)
{
    QStringList hymns = shownHymns(row);
    for (qsizetype i = 0; i < hymns.size(); ++i)
        if (const QString recent = row.recentlySung.value(i); !recent.isEmpty())
            hymns[i] += QStringLiteral(" – ") + recent;
    return hymns;
}

QString shownSermonText(const Row &row)
{
    return row.suggested() ? suggestion(row.sermonText) : row.sermonText;
}

QString shownFile(const Row &row)
{
    if (row.otherVersions <= 0)
        return row.savedFile;
    return row.savedFile
        + (row.otherVersions == 1
               ? QStringLiteral(" (+1 weitere Fassung)")
               : QStringLiteral(" (+%1 weitere Fassungen)").arg(row.otherVersions));
}

QByteArray toCsv(const Plan &plan)
{
    // Columns are only ever added at the end, so that what reads an earlier plan still reads it.
    QString out = QStringLiteral("Datum;Tag;Liturgische Farbe;") + hymnLabels().join(u';')
        + QStringLiteral(";Predigttext;Datei;Vor kurzem gesungen\r\n");
    for (const Row &row : plan.rows) {
        QStringList fields = { row.dayName, row.colour };
        const QStringList hymns = shownHymns(row);
        QStringList recent;
        for (qsizetype i = 0; i < hymnLabels().size(); ++i) {
            fields.append(hymns.value(i));
            if (!row.recentlySung.value(i).isEmpty())
                recent << hymnLabels().at(i) + QStringLiteral(": ") + row.recentlySung.at(i);
        }
        fields << shownSermonText(row) << shownFile(row) << recent.join(QStringLiteral(" | "));
        // The date bare, so that a spreadsheet may take it for a date; the rest is text.
        out += dateText(row.date);
        for (const QString &field : fields)
            out += u';' + hymncsv::field(field);
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QByteArray toICal(const Plan &plan, const QDateTime &stamp)
{
    QList<churchyearcalendar::Event> events;
    events.reserve(plan.rows.size());
    for (const Row &row : plan.rows) {
        QStringList lines;
        const QStringList hymns = markedHymns(row);
        for (qsizetype i = 0; i < hymnLabels().size(); ++i)
            lines.append(hymnLabels().at(i) + QStringLiteral(": ") + orDash(hymns.value(i)));
        lines.append(QStringLiteral("Predigttext: ") + orDash(shownSermonText(row)));
        lines.append(QStringLiteral("Liturgische Farbe: ") + orDash(row.colour));
        events.append({ row.date, row.dayName, lines.join(u'\n') });
    }
    return churchyearcalendar::write(events, title(plan), stamp);
}

QString toPlainText(const Plan &plan)
{
    QString text = title(plan) + u'\n';
    if (plan.rows.isEmpty())
        text += QStringLiteral("\nIn diesem Zeitraum liegt kein Sonn- oder Feiertag.\n");
    for (const Row &row : plan.rows)
        text += u'\n' + rowText(row);
    return text;
}

MailLink mailtoLink(const Plan &plan, const QString &recipient)
{
    // The title, the first `kept` services, and a note on the services left out.
    const auto body = [&plan](qsizetype kept) {
        QString text = title(plan) + u'\n';
        for (qsizetype i = 0; i < kept; ++i)
            text += u'\n' + rowText(plan.rows.at(i));
        if (kept < plan.rows.size())
            text += QStringLiteral("\n(Für die E-Mail gekürzt: %1 weitere Gottesdienste ab dem "
                                   "%2 stehen im gedruckten Plan und in der CSV-Datei.)\n")
                        .arg(plan.rows.size() - kept)
                        .arg(dateText(plan.rows.at(kept).date));
        return text;
    };
    MailLink link;
    link.url = mailtoUrl(recipient, title(plan), toPlainText(plan));
    // Whole services from the front, as many as fit.
    for (qsizetype kept = plan.rows.size() - 1; link.url.size() > kMaxMailtoLength && kept >= 0;
         --kept) {
        link.url = mailtoUrl(recipient, title(plan), body(kept));
        link.servicesLeftOut = static_cast<int>(plan.rows.size() - kept);
    }
    return link;
}

QString toHtml(const Plan &plan)
{
    QString html = QStringLiteral("<html><body><h2>") + title(plan).toHtmlEscaped()
        + QStringLiteral("</h2>");
    if (plan.rows.isEmpty()) {
        html += QStringLiteral("<p>In diesem Zeitraum liegt kein Sonn- oder Feiertag.</p>");
        return html + QStringLiteral("</body></html>");
    }
    // No width for the table or its columns: each column is as wide as its content asks, and
    // narrower only down to its longest word (fillDocument wraps between words only).
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">"
                           "<thead><tr><th>Datum</th><th>Tag</th><th>Farbe</th>");
    for (const QString &label : hymnLabels())
        html += QStringLiteral("<th>") + label + QStringLiteral("</th>");
    html += QStringLiteral("<th>Predigttext</th></tr></thead><tbody>");
    bool anyRecent = false;
    for (const Row &row : plan.rows) {
        QStringList cells = { dateText(row.date), row.dayName, row.colour };
        const QStringList hymns = shownHymns(row);
        for (qsizetype i = 0; i < hymnLabels().size(); ++i)
            cells.append(hymns.value(i));
        cells.append(shownSermonText(row));
        html += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < cells.size(); ++c) {
            html += QStringLiteral("<td>") + cells.at(c).toHtmlEscaped();
            // The hymns stand after date, day and colour.
            if (const QString recent = row.recentlySung.value(c - 3); c >= 3 && !recent.isEmpty()) {
                html += QStringLiteral("<br><i>") + recent.toHtmlEscaped() + QStringLiteral("</i>");
                anyRecent = true;
            }
            html += QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table><p><small>„(Vorschlag)“: Für diesen Tag ist noch "
                           "keine Vorbereitung gespeichert; genannt ist das Wochenlied und der "
                           "Predigttext der Perikopenordnung.");
    if (anyRecent)
        html += plan.recentWeeks == 1
            ? QStringLiteral("<br><i>Kursiv</i>: in der Woche vor dem Gottesdienst schon gesungen.")
            : QStringLiteral("<br><i>Kursiv</i>: in den %1 Wochen vor dem Gottesdienst schon "
                             "gesungen.")
                  .arg(plan.recentWeeks);
    html += QStringLiteral("</small></p></body></html>");
    return html;
}

void fillDocument(QTextDocument &document, const Plan &plan)
{
    // A line breaks between words only, never inside a word, a date or a hymn number.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    QFont font = document.defaultFont();
    font.setPointSizeF(kPrintPointSize);
    document.setDefaultFont(font);
    document.setHtml(toHtml(plan));
    document.setMetaInformation(QTextDocument::DocumentTitle, title(plan));
}

} // namespace hymnplan
