#include "bible/PassageParts.h"

#include "base/TextTrim.h"
#include "bible/BibleFile.h"
#include "bible/BookNames.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isDash(QChar c)
{
    return c == u'-' || c == u'\u2013';
}

// A verse or range as written ("14-17", "4b", "8-"), in the chapter.
VerseSpan spanOf(const QString &book, const QString &chapter, const QString &text, bool optional)
{
    VerseSpan span { book, chapter, text, -1, -1, optional };
    const auto dash = std::find_if(text.begin(), text.end(), isDash);
    const QString first = trimControl(text.left(dash - text.begin()));
    const QString last
        = dash == text.end() ? first : trimControl(text.mid(dash - text.begin() + 1));
    span.firstVerse = verseNumber(first).value_or(-1);
    span.lastVerse = last.isEmpty() ? span.firstVerse : verseNumber(last).value_or(-1);
    return span;
}

// "31b" names half a verse: the other half stays where it is written.
bool hasHalfVerse(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QString rangeText(int first, int last)
{
    return first == last ? QString::number(first)
                         : QString::number(first) + u'-' + QString::number(last);
}

// Optional spans inside a range written outside the parentheses split that range.
QList<VerseSpan> splitAroundOptionalVerses(const QList<VerseSpan> &spans)
{
    QList<QList<qsizetype>> inside(spans.size());
    QList<bool> taken(spans.size(), false);
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const VerseSpan &core = spans.at(i);
        if (core.optional || !core.hasVerseNumbers() || core.lastVerse < core.firstVerse)
            continue;
        for (qsizetype j = 0; j < spans.size(); ++j) {
            const VerseSpan &o = spans.at(j);
            if (!o.optional || taken.at(j) || !o.hasVerseNumbers() || o.book != core.book
                || o.chapter != core.chapter || o.firstVerse < core.firstVerse
                || o.lastVerse > core.lastVerse || o.lastVerse < o.firstVerse
                || hasHalfVerse(o.text)
                || (o.firstVerse == core.firstVerse && o.lastVerse == core.lastVerse))
                continue;
            inside[i].append(j);
            taken[j] = true;
        }
        std::sort(inside[i].begin(), inside[i].end(), [&spans](qsizetype a, qsizetype b) {
            return spans.at(a).firstVerse < spans.at(b).firstVerse;
        });
    }

    QList<VerseSpan> result;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        if (taken.at(i))
            continue;
        const VerseSpan &core = spans.at(i);
        if (inside.at(i).isEmpty()) {
            result.append(core);
            continue;
        }
        int next = core.firstVerse;
        for (qsizetype j : inside.at(i)) {
            const VerseSpan &o = spans.at(j);
            if (o.firstVerse > next)
                result.append({ core.book, core.chapter, rangeText(next, o.firstVerse - 1), next,
                                o.firstVerse - 1, false });
            result.append(o);
            next = std::max(next, o.lastVerse + 1);
        }
        if (next <= core.lastVerse)
            result.append({ core.book, core.chapter, rangeText(next, core.lastVerse), next,
                            core.lastVerse, false });
    }
    return result;
}

} // namespace

bool PassageReference::hasVerseNumbers() const
{
    return !spans.isEmpty() && std::all_of(spans.begin(), spans.end(), [](const VerseSpan &span) {
        return span.hasVerseNumbers();
    });
}

ParsedPassage parsePassage(const QString &reference)
{
    ParsedPassage result;
    const ParsedReference parsed = parseReference(reference);
    result.error = parsed.error;
    result.passage.book = parsed.reference.book;
    if (parsed.error != ReferenceError::None)
        return result;

    // The verses start after the first "," that follows the chapter's first digit.
    qsizetype p = 2;
    while (p < reference.size() && !isAsciiDigit(reference.at(p)))
        ++p;
    const qsizetype comma = reference.indexOf(u',', p + 1);
    const QString verses = reference.mid(comma + 1);

    QString book = parsed.reference.book;
    QString chapter = parsed.reference.chapter;
    bool optional = false;
    QString item;
    QList<VerseSpan> spans;
    auto flush = [&] {
        QString text = trimControl(item);
        item.clear();
        if (const qsizetype c = text.indexOf(u','); c >= 0) {
            chapter = trimControl(text.left(c));
            text = trimControl(text.mid(c + 1));
            // Another book: its name runs up to the first digit from the third character on.
            qsizetype digit = 2;
            while (digit < chapter.size() && !isAsciiDigit(chapter.at(digit)))
                ++digit;
            if (chapter.size() > 2 && !isAsciiDigit(chapter.at(0)) && digit < chapter.size()) {
                book = trimControl(chapter.left(digit));
                chapter = trimControl(chapter.mid(digit));
            }
        }
        if (!text.isEmpty())
            spans.append(spanOf(book, chapter, text, optional));
    };
    for (const QChar c : verses) {
        if (c == u'(' || c == u')') {
            flush();
            optional = c == u'(';
        } else if (c == u'.' || c == u';') {
            flush();
        } else {
            item.append(c);
        }
    }
    flush();
    result.passage.spans = splitAroundOptionalVerses(spans);
    return result;
}

std::optional<QString> bookAbbreviation(const QString &book)
{
    if (book == u"Psalm"_s)
        return u"Ps"_s;
    for (const BookName &name : bookNames()) {
        if (name.loccum == book || name.title == book)
            return name.loccum;
    }
    return std::nullopt;
}

QList<PassagePart> readPassageParts(const QList<VerseSpan> &spans, int maxVerses)
{
    QList<PassagePart> parts;
    int shown = 0;
    for (const VerseSpan &span : spans) {
        PassagePart part { span, {} };
        if (span.hasVerseNumbers()) {
            const auto file
                = BibleFile::open(bibleFilePath(bookAbbreviation(span.book).value_or(span.book)));
            for (int v = span.firstVerse; v <= span.lastVerse && shown < maxVerses; ++v, ++shown)
                part.verses.append({ v, file->verse(span.chapter, v) });
        }
        parts.append(part);
    }
    return parts;
}

} // namespace bible
