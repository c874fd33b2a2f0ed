#include "bible/BibleReference.h"

#include "base/TextTrim.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The first index from 'from' on that holds one of the characters, or the length of the text.
qsizetype findFirstOf(const QString &text, qsizetype from, std::initializer_list<char16_t> chars)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        for (char16_t c : chars) {
            if (text.at(i) == QChar(c))
                return i;
        }
    }
    return text.size();
}

} // namespace

QString normaliseReference(const QString &reference)
{
    QString text = reference;
    // "Mk. 1" -> "Mk 1"; index 2 is position 3 when counted from 1.
    if (const qsizetype dot = text.indexOf(u". "_s); dot >= 2)
        text.remove(dot, 1);
    if (const qsizetype comma = text.indexOf(u", "_s); comma >= 0)
        text.remove(comma + 1, 1);
    // Optional verses in parentheses are part of the reading and stay. A parenthesis before
    // the chapter ("Jona (3,10)4,1-11") moves to the end, where it can be read.
    const qsizetype open = text.indexOf(u'(');
    const qsizetype close = text.indexOf(u')');
    if (open >= 0 && close > open && (text.indexOf(u',') < 0 || open < text.indexOf(u','))) {
        const QString optional = text.mid(open, close - open + 1);
        text = text.left(open) + text.mid(close + 1) + optional;
    }
    return text;
}

bool isPsalmReference(const QString &reference)
{
    return reference.toLower().contains(u"psalm"_s);
}

QString psalmLookupText(const QString &reference)
{
    const qsizetype comma = reference.indexOf(u',');
    return comma < 0 ? reference : reference.left(comma);
}

bool isHymnalReference(const QString &reference)
{
    return reference.contains(u"EG"_s);
}

std::optional<int> verseNumber(const QString &text)
{
    qsizetype digits = 0;
    while (digits < text.size() && isAsciiDigit(text.at(digits)))
        ++digits;
    if (digits == 0)
        return std::nullopt;
    // Half a verse ("8a", "1b") is read as the verse; the lectionary marks where to stop,
    // the passage still shows the whole verse.
    if (digits < text.size()) {
        const QChar letter = text.at(digits);
        const bool isLetter
            = (letter >= u'a' && letter <= u'z') || (letter >= u'A' && letter <= u'Z');
        if (!isLetter || digits + 1 != text.size())
            return std::nullopt;
    }
    // Long runs of digits are not verse numbers; stop before they can overflow.
    if (digits > 5)
        return std::nullopt;
    const int value = text.left(digits).toInt();
    if (value > kMaxVerseNumber)
        return std::nullopt;
    return value;
}

ParsedReference parseReference(const QString &reference)
{
    ParsedReference result;
    BibleReference &ref = result.reference;
    const QString &text = reference;
    const qsizetype n = text.size();

    if (!text.contains(u',') || !text.contains(u' ')) {
        result.error = ReferenceError::NoBook;
        return result;
    }

    // The book runs up to the first digit from index 2 on, so "1. Kor" keeps its number.
    qsizetype p = 2;
    while (p < n && !isAsciiDigit(text.at(p)))
        ++p;
    ref.book = trimControl(text.left(p));
    if (p >= n - 1) {
        result.error = ReferenceError::NoChapter;
        return result;
    }

    const qsizetype k = findFirstOf(text, p + 1, { u',' });
    ref.chapter = trimControl(text.mid(p, k - p));
    if (k >= n - 1) {
        result.error = ReferenceError::NoVerses;
        return result;
    }

    // An en dash (Windows-1252 has one) separates verses like the hyphen; references copied
    // from printed or online lectionaries are written with it.
    // A "," after the first verse separates verses, as parsePassage reads it ("Mk 1,9,14").
    const qsizetype s = findFirstOf(text, k + 1, { u'.', u'-', u'\u2013', u',' });
    ref.firstVerseText = trimControl(text.mid(k + 1, s - k - 1));
    if (s >= n - 1) {
        ref.lastVerseText = ref.firstVerseText;
    } else {
        const qsizetype e = findFirstOf(text, s + 1, { u'.', u';' });
        ref.lastVerseText = trimControl(text.mid(s + 1, e - s - 1));
        // A single verse followed by a range ("Kol 2,3.6-10") runs to the range's end, and
        // verses separated by "," ("Mk 1,9-11,14-15") to the last one; read as one number,
        // the range would end the lookup without showing anything.
        const qsizetype dash = std::max({ ref.lastVerseText.lastIndexOf(u'-'),
                                          ref.lastVerseText.lastIndexOf(u'\u2013'),
                                          ref.lastVerseText.lastIndexOf(u',') });
        if (dash >= 0) {
            const QString end = trimControl(ref.lastVerseText.mid(dash + 1));
            ref.lastVerseText = end.isEmpty() ? trimControl(ref.lastVerseText.left(dash)) : end;
        }
    }
    ref.firstVerse = verseNumber(ref.firstVerseText).value_or(-1);
    ref.lastVerse = verseNumber(ref.lastVerseText).value_or(-1);
    return result;
}

std::optional<BibleReference> parseBibleReference(const QString &reference)
{
    ParsedReference parsed = parseReference(reference);
    if (parsed.error != ReferenceError::None || !parsed.reference.hasVerseNumbers())
        return std::nullopt;
    return parsed.reference;
}

QString referenceErrorMessage(const ParsedReference &parsed)
{
    switch (parsed.error) {
    case ReferenceError::None:
        return {};
    case ReferenceError::NoBook:
        return u"Das Buch konnte nicht extrahiert werden."_s;
    case ReferenceError::NoChapter:
        return u"Das Kapitel aus dem Buch "_s + parsed.reference.book
            + u" konnte nicht extrahiert werden."_s;
    case ReferenceError::NoVerses:
        return u"Die Verse aus dem Kapitel "_s + parsed.reference.chapter + u" des Buches "_s
            + parsed.reference.book + u" konnten nicht extrahiert werden."_s;
    case ReferenceError::TooManyParts:
        return u"Die Bibelstelle hat mehr Teile, als eine Bibel Verse hat, und wird nicht "
               u"gelesen."_s;
    }
    return {};
}

} // namespace bible
