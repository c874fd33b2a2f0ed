#include "storage/HymnCsv.h"

namespace hymncsv {

QString field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray write(const QList<history::HymnUse> &uses)
{
    QString out = QStringLiteral("Lied;Tag;Predigtreihe;Gespeichert;Datei\r\n");
    for (const history::HymnUse &use : uses) {
        const history::SavedPreparation &source = *use.source;
        out += field(use.hymn) + u';' + field(source.preparation.dayName) + u';'
            + field(source.preparation.series) + u';' + history::dateText(source.saved) + u';'
            + field(source.relativePath) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace hymncsv
