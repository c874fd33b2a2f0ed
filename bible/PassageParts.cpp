#include "bible/PassageParts.h"

#include "base/TextTrim.h"
#include "bible/BookNames.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

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

// The lowest index among the spans inserted so far whose last verse is at least a given one.
class FirstHolder
{
public:
    explicit FirstHolder(QList<int> lastVerses)
        : m_lasts(std::move(lastVerses))
        , m_tree(m_lasts.size() + 1, kNone)
    {
    }
    static constexpr qsizetype kNone = std::numeric_limits<qsizetype>::max();

    void insert(int lastVerse, qsizetype index)
    {
        // Positions count from the largest last verse, so that "at least" is a prefix.
        const qsizetype pos = m_lasts.size()
            - (std::lower_bound(m_lasts.cbegin(), m_lasts.cend(), lastVerse) - m_lasts.cbegin());
        for (qsizetype i = pos; i < m_tree.size(); i += i & -i)
            m_tree[i] = std::min(m_tree[i], index);
    }
    qsizetype firstWithLastAtLeast(int verse) const
    {
        qsizetype result = kNone;
        for (qsizetype i
             = m_lasts.cend() - std::lower_bound(m_lasts.cbegin(), m_lasts.cend(), verse);
             i > 0; i -= i & -i)
            result = std::min(result, m_tree[i]);
        return result;
    }

private:
    QList<int> m_lasts; // sorted, without repeats
    QList<qsizetype> m_tree;
};

// For every optional span, the first span written outside the parentheses (in the order of the
// reference) whose range holds it without being the very same range; -1 for none. Sorted
// sweeps per chapter, so that a long reference takes no more than n log n steps.
QList<qsizetype> holdersOfOptionalVerses(const QList<VerseSpan> &spans)
{
    QList<qsizetype> holder(spans.size(), -1);
    QHash<std::pair<QString, QString>, std::pair<QList<qsizetype>, QList<qsizetype>>> chapters;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const VerseSpan &span = spans.at(i);
        if (!span.hasVerseNumbers() || span.lastVerse < span.firstVerse)
            continue;
        auto &[cores, optionals] = chapters[{ span.book, span.chapter }];
        if (!span.optional)
            cores.append(i);
        else if (!hasHalfVerse(span.text))
            optionals.append(i);
    }
    const auto byFirst = [&spans](qsizetype a, qsizetype b) {
        return spans.at(a).firstVerse < spans.at(b).firstVerse;
    };
    for (auto &[cores, optionals] : chapters) {
        if (cores.isEmpty() || optionals.isEmpty())
            continue;
        std::sort(cores.begin(), cores.end(), byFirst);
        std::sort(optionals.begin(), optionals.end(), byFirst);
        QList<int> lasts;
        for (qsizetype c : std::as_const(cores))
            lasts.append(spans.at(c).lastVerse);
        std::sort(lasts.begin(), lasts.end());
        lasts.erase(std::unique(lasts.begin(), lasts.end()), lasts.end());
        // Held: begins no later and ends no earlier, and not both at the same verse; that is,
        // begins earlier and ends no earlier, or begins no later and ends later.
        for (const bool sameFirst : { false, true }) {
            FirstHolder inserted(lasts);
            qsizetype next = 0;
            for (qsizetype o : std::as_const(optionals)) {
                const VerseSpan &optional = spans.at(o);
                while (next < cores.size()
                       && (spans.at(cores.at(next)).firstVerse < optional.firstVerse
                           || (sameFirst
                               && spans.at(cores.at(next)).firstVerse == optional.firstVerse))) {
                    inserted.insert(spans.at(cores.at(next)).lastVerse, cores.at(next));
                    ++next;
                }
                const qsizetype found = inserted.firstWithLastAtLeast(
                    sameFirst ? optional.lastVerse + 1 : optional.lastVerse);
                if (found != FirstHolder::kNone && (holder.at(o) < 0 || found < holder.at(o)))
                    holder[o] = found;
            }
        }
    }
    return holder;
}

// Optional spans inside a range written outside the parentheses split that range.
QList<VerseSpan> splitAroundOptionalVerses(const QList<VerseSpan> &spans)
{
    const QList<qsizetype> holder = holdersOfOptionalVerses(spans);
    QHash<qsizetype, QList<qsizetype>> inside;
    for (qsizetype j = 0; j < spans.size(); ++j) {
        if (holder.at(j) >= 0)
            inside[holder.at(j)].append(j);
    }

    QList<VerseSpan> result;
    result.reserve(spans.size() + inside.size());
    for (qsizetype i = 0; i < spans.size(); ++i) {
        if (holder.at(i) >= 0)
            continue;
        const VerseSpan &core = spans.at(i);
        const auto held = inside.find(i);
        if (held == inside.end()) {
            result.append(core);
            continue;
        }
        QList<qsizetype> &optionals = *held;
        std::stable_sort(optionals.begin(), optionals.end(), [&spans](qsizetype a, qsizetype b) {
            return spans.at(a).firstVerse < spans.at(b).firstVerse;
        });
        int next = core.firstVerse;
        for (qsizetype j : std::as_const(optionals)) {
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

// "1. Kor 13" or "13" before the "," of a part: the part's book (unchanged for a bare chapter)
// and chapter; nothing when the text names no chapter ("9-11" in "9-11,14-15").
std::optional<std::pair<QString, QString>> chapterOf(const QString &text, const QString &book)
{
    const auto allDigits = [](const QString &t) {
        return !t.isEmpty() && std::all_of(t.begin(), t.end(), isAsciiDigit);
    };
    if (allDigits(text))
        return std::pair { book, text };
    // Another book: its name runs up to the first digit from the third character on.
    qsizetype digit = 2;
    while (digit < text.size() && !isAsciiDigit(text.at(digit)))
        ++digit;
    const QString name = trimControl(text.left(digit));
    const QString chapter = trimControl(text.mid(digit));
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); })
        && allDigits(chapter))
        return std::pair { name, chapter };
    return std::nullopt;
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
    bool firstPart = true;
    bool tooMany = false;
    QString item;
    QList<VerseSpan> spans;
    // A part is what lies between ".", ";" and the parentheses. Its "," follows a chapter
    // ("19,1-5", "Dan 9,4-5") that the parts after it share; in the first part, right after
    // the reference's own chapter, and after verses ("9-11,14-15") it separates verses.
    auto flush = [&] {
        QString text = trimControl(item);
        item.clear();
        const bool first = std::exchange(firstPart, false);
        if (const qsizetype c = text.indexOf(u','); c >= 0 && !first) {
            if (const auto named = chapterOf(trimControl(text.left(c)), book)) {
                std::tie(book, chapter) = *named;
                text = text.mid(c + 1);
            }
        }
        for (const QString &piece : text.split(u',')) {
            const QString part = trimControl(piece);
            if (part.isEmpty())
                continue;
            if (spans.size() >= kMaxReferenceParts) {
                tooMany = true;
                return;
            }
            spans.append(spanOf(book, chapter, part, optional));
        }
    };
    // The full stop of a numbered book ("; 1. Kor 13,1-3") follows a bare number and comes
    // before a blank and a letter; any other separates verses.
    const auto numbersABook = [&](qsizetype dot) {
        const QString sofar = trimControl(item);
        qsizetype next = dot + 1;
        while (next < verses.size() && verses.at(next) == u' ')
            ++next;
        return !sofar.isEmpty() && std::all_of(sofar.begin(), sofar.end(), isAsciiDigit)
            && next > dot + 1 && next < verses.size() && verses.at(next).isLetter();
    };
    for (qsizetype i = 0; i < verses.size() && !tooMany; ++i) {
        const QChar c = verses.at(i);
        if (c == u'(' || c == u')') {
            flush();
            optional = c == u'(';
        } else if ((c == u'.' && !numbersABook(i)) || c == u';') {
            flush();
        } else {
            item.append(c);
        }
    }
    flush();
    if (tooMany) {
        result.error = ReferenceError::TooManyParts;
        return result;
    }
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

QString PassageBooks::abbreviation(const QString &book)
{
    if (const auto known = m_abbreviations.constFind(book); known != m_abbreviations.constEnd())
        return *known;
    const QString found = bookAbbreviation(book).value_or(book);
    m_abbreviations.insert(book, found);
    return found;
}

QString PassageBooks::filePath(const QString &book)
{
    return m_folder.filePath(abbreviation(book));
}

bool PassageBooks::hasFile(const QString &book)
{
    if (const auto known = m_present.constFind(book); known != m_present.constEnd())
        return *known;
    const QString path = filePath(book);
    const bool present = !path.isEmpty() && QFileInfo(path).isFile();
    m_present.insert(book, present);
    return present;
}

std::shared_ptr<const BibleFile> PassageBooks::file(const QString &book)
{
    return m_folder.file(abbreviation(book));
}

QList<PassagePart> readPassageParts(const QList<VerseSpan> &spans, int maxVerses)
{
    PassageBooks books;
    return readPassageParts(spans, maxVerses, books);
}

QList<PassagePart> readPassageParts(const QList<VerseSpan> &spans, int maxVerses,
                                    PassageBooks &books)
{
    QList<PassagePart> parts;
    parts.reserve(spans.size());
    int shown = 0;
    for (const VerseSpan &span : spans) {
        PassagePart part { span, {} };
        if (span.hasVerseNumbers() && shown < maxVerses) {
            const auto file = books.file(span.book);
            for (int v = span.firstVerse; v <= span.lastVerse && shown < maxVerses; ++v, ++shown)
                part.verses.append({ v, file->verse(span.chapter, v) });
        }
        parts.append(part);
    }
    return parts;
}

} // namespace bible
