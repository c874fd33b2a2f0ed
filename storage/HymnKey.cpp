#include "storage/HymnKey.h"

#include <QRegularExpression>

namespace hymnkey {

std::optional<Parts> parts(const QString &hymn)
{
    const QString text = hymn.simplified();
    // A hymn book is named by a short abbreviation of letters (with "+" as in "EGplus" or
    // "EG+"), then the number; after the number there may be verses or the title, but not
    // more digits or letters glued to it ("EG 99a" is not EG 99). Verses follow a comma,
    // point or colon (or a blank) as numbers joined by "-", "+", "." or ","; the title comes
    // after them, perhaps behind a dash or colon.
    static const QRegularExpression numbered(QStringLiteral(
        "^(\\p{L}[\\p{L}+]{0,9})\\.?\\s?0*(\\d{1,4})(?![\\p{L}\\d])"
        "((?:\\s?[,.:]\\s?|\\s(?=\\d))\\d{1,3}[a-z]?(?:\\s?[-\u2013+.,]\\s?\\d{1,3}[a-z]?)*"
        "(?![\\p{L}\\d]))?(.*)$"));
    const QRegularExpressionMatch m = numbered.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    static const QRegularExpression leadingMarks(QStringLiteral("^[\\s\u2013\u2014:.,-]+"));
    QString title = m.captured(4);
    title.remove(leadingMarks);
    return Parts { m.captured(1), m.captured(2), m.captured(3), title.trimmed() };
}

QString label(const QString &hymn)
{
    if (const std::optional<Parts> p = parts(hymn))
        return p->label();
    return hymn.simplified();
}

QString key(const QString &hymn)
{
    return label(hymn).toCaseFolded();
}

QString sortKey(const QString &hymn)
{
    const QString text = hymn.simplified().toCaseFolded();
    static const QRegularExpression numbered(
        QStringLiteral("^(\\p{L}[\\p{L}+]{0,9})\\.?\\s?0*(\\d{1,9})(.*)$"));
    const QRegularExpressionMatch m = numbered.match(text);
    if (!m.hasMatch())
        return text;
    // The separator sorts before every printable character, so a book sorts before the
    // longer book names it begins ("EG" before "EGplus"), a number before the same one with
    // a rest.
    return m.captured(1) + u'\x01' + m.captured(2).rightJustified(9, u'0') + u'\x01'
        + m.captured(3).trimmed();
}

} // namespace hymnkey
