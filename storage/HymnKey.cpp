#include "storage/HymnKey.h"

#include <QRegularExpression>

namespace hymnkey {

QString label(const QString &hymn)
{
    const QString text = hymn.simplified();
    // A hymn book is named by a short abbreviation of letters (with "+" as in "EGplus" or
    // "EG+"), then the number; after the number there may be verses or the title, but not
    // more digits or letters glued to it ("EG 99a" is not EG 99).
    static const QRegularExpression numbered(
        QStringLiteral("^(\\p{L}[\\p{L}+]{0,9})\\.?\\s?0*(\\d{1,4})(?![\\p{L}\\d])"));
    const QRegularExpressionMatch m = numbered.match(text);
    if (!m.hasMatch())
        return text;
    return m.captured(1) + u' ' + m.captured(2);
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
