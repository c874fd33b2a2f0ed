#include "storage/HymnCsv.h"

#include <algorithm>

namespace hymncsv {

namespace {

// The first characters with which a spreadsheet begins a formula.
bool looksLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@';
}

bool allDigits(const QString &text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString field(const QString &text)
{
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    if (looksLikeFormula(text))
        quoted.prepend(u'\'');
    return u'"' + quoted + u'"';
}

QByteArray write(const QList<history::HymnUse> &uses)
{
    QString out = QStringLiteral("Lied;Tag;Predigtreihe;Gespeichert;Datei\r\n");
    for (const history::HymnUse &use : uses) {
        const history::SavedPreparation &source = *use.source;
        // The series is a number in a file the program wrote; anything else in its place is text.
        const QString &series = source.preparation.series;
        out += field(use.hymn) + u';' + field(source.preparation.dayName) + u';'
            + (allDigits(series) ? series : field(series)) + u';' + history::dateText(source.saved)
            + u';' + field(source.relativePath) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace hymncsv
