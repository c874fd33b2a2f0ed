#include "storage/FieldPlaces.h"

#include <QSet>

namespace fieldplaces {

const QList<FieldPlace> &places()
{
    static const QList<FieldPlace> list = {
        { &ProperTexts::wochenspruch, QStringLiteral("Wochenspruch"),
          QStringLiteral("Begrüßung mit Wochenspruch") },
        { &ProperTexts::psalm, QStringLiteral("Psalm"), QStringLiteral("Psalm") },
        { &ProperTexts::atLesung, QStringLiteral("AT-Lesung"), QStringLiteral("AT-Lesung") },
        { &ProperTexts::epistel, QStringLiteral("Epistel"), QStringLiteral("Epistel") },
        { &ProperTexts::evangelium, QStringLiteral("Evangelium"), QStringLiteral("Evangelium") },
        { &ProperTexts::predigttext, QStringLiteral("Predigttext"), QStringLiteral("Predigt") },
        { &ProperTexts::eingangslied, QStringLiteral("Eingangslied"),
          QStringLiteral("Eingangslied") },
        { &ProperTexts::wochenlied, QStringLiteral("Wochenlied"), QStringLiteral("Wochenlied") },
        { &ProperTexts::vorpredigtslied, QStringLiteral("Vorpredigtslied"),
          QStringLiteral("Vorpredigtslied") },
        { &ProperTexts::kollektenlied, QStringLiteral("Kollektenlied"),
          QStringLiteral("Kollektenlied") },
        { &ProperTexts::ausgangslied, QStringLiteral("Ausgangslied"),
          QStringLiteral("Ausgangslied") },
    };
    return list;
}

QList<UnplacedField> unplacedFields(const Preparation &preparation, const QStringList &sequence)
{
    // A restored list may be long; each name is looked up once.
    const QSet<QString> present(sequence.cbegin(), sequence.cend());
    QList<UnplacedField> unplaced;
    for (const FieldPlace &place : places()) {
        if (place.member == &ProperTexts::atLesung && !preparation.threeReadings)
            continue;
        const QString text = (preparation.*place.member).trimmed();
        if (!text.isEmpty() && !present.contains(place.element))
            unplaced.append({ place.label, text });
    }
    return unplaced;
}

QString unplacedNote(const QList<UnplacedField> &fields)
{
    if (fields.isEmpty())
        return {};
    QStringList named;
    // A pasted page in a field must not fill the note.
    constexpr qsizetype kShown = 40;
    for (const UnplacedField &field : fields) {
        const QString text = field.text.size() > kShown
            ? field.text.left(kShown - 1) + QStringLiteral("…")
            : field.text;
        named.append(QStringLiteral("%1 „%2“").arg(field.label, text));
    }
    return QStringLiteral("Nicht im Ablauf, weil die Reihenfolge keinen Platz dafür hat: ")
        + named.join(QStringLiteral(", "));
}

QStringList labelsOf(const QList<UnplacedField> &fields)
{
    QStringList labels;
    for (const UnplacedField &field : fields)
        labels.append(field.label);
    return labels;
}

} // namespace fieldplaces
