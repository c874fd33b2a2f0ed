#include "tests/libpergol/PergolTestSupport.h"

#include "bible/BookNames.h"
#include "bible/OsisImport.h"
#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace pergoltest {

Propers propersOf(const QString &name)
{
    const QByteArray key = win1252::encode(name);
    const char *raw = key.constData();
    Propers p;
    p.colour = win1252::decode(getFarbe(raw));
    p.verse = win1252::decode(getVers(raw));
    p.psalm = win1252::decode(getPsalm(raw));
    p.hymn = win1252::decode(getWochenlied(raw));
    p.epistle = win1252::decode(getEpistel(raw));
    p.gospel = win1252::decode(getEvangelium(raw));
    p.oldTestament = win1252::decode(getATLesung(raw));
    for (int series = 1; series <= 6; ++series)
        p.series << win1252::decode(getPerikope(raw, series));
    return p;
}

QStringList dayListVocabulary()
{
    QStringList names = {
        u"Drittletzter Sonntag des Kirchenjahres"_s,
        u"Vorletzter Sonntag des Kirchenjahres"_s,
        u"Buß- und Bettag"_s,
        u"Ewigkeitssonntag"_s,
        u"1. Sonntag im Advent"_s,
        u"2. Sonntag im Advent"_s,
        u"3. Sonntag im Advent"_s,
        u"4. Sonntag im Advent"_s,
        u"Christvesper"_s,
        u"Christnacht"_s,
        u"1. Weihnachtstag"_s,
        u"2. Weihnachtstag"_s,
        u"1. Sonntag nach Weihnachten"_s,
        u"Altjahrsabend"_s,
        u"Neujahr"_s,
        u"2. Sonntag nach Weihnachten"_s,
        u"Epiphanias"_s,
        u"Letzter Sonntag nach Epiphanias"_s,
        u"5. Sonntag vor der Passionszeit"_s,
        u"4. Sonntag vor der Passionszeit"_s,
        u"Septuagesimae"_s,
        u"Sexagesimae"_s,
        u"Estomihi"_s,
        u"Invokavit"_s,
        u"Reminiscere"_s,
        u"Oculi"_s,
        u"Laetare"_s,
        u"Judica"_s,
        u"Palmsonntag"_s,
        u"Gründonnerstag"_s,
        u"Karfreitag"_s,
        u"Karsamstag"_s,
        u"Osternacht"_s,
        u"Ostersonntag"_s,
        u"Ostermontag"_s,
        u"Quasimodogeniti"_s,
        u"Misericordias Domini"_s,
        u"Jubilate"_s,
        u"Cantate"_s,
        u"Rogate"_s,
        u"Christi Himmelfahrt"_s,
        u"Exaudi"_s,
        u"Pfingstsonntag"_s,
        u"Pfingstmontag"_s,
        u"Trinitatis"_s,
        u"Gedenktag der Zerstörung Jerusalems"_s,
        u"Erntedank"_s,
        u"Reformationstag"_s,
        u"Martinstag"_s,
    };
    for (int n = 1; n <= 3; ++n)
        names << u"%1. Sonntag nach Epiphanias"_s.arg(n);
    for (int n = 1; n <= 24; ++n)
        names << u"%1. Sonntag nach Trinitatis"_s.arg(n);
    return names;
}

QStringList furtherNames()
{
    return {
        u"Nikolaustag"_s,
        u"Neujahrstag"_s,
        u"Aschermittwoch"_s,
        u"Johannistag"_s,
        u"Johannis"_s,
        u"Michaelistag"_s,
        u"Michaelis"_s,
        u"Totensonntag"_s,
        u"Palmarum"_s,
        u"Reformationsfest"_s,
        // The spellings of the calendar export and of older orders.
        u"Christfest I"_s,
        u"Christfest II"_s,
        u"Altjahresabend"_s,
        u"Septuagesimä"_s,
        u"Sexagesimä"_s,
        u"Invocavit"_s,
        u"Reminiszere"_s,
        u"Okuli"_s,
        u"Lätare"_s,
        u"Judika"_s,
        u"Kantate"_s,
    };
}

const QHash<int, QStringList> &LutherBible::book(const QString &osisId)
{
    auto it = m_books.find(osisId);
    if (it != m_books.end())
        return *it;
    QHash<int, QStringList> chapters;
    // Read with the program's own OSIS reader: the same plain verse texts the import writes.
    QFile file(sharedReferenceDir() + u"/bibel/luth1912ap-osis/"_s + osisId.toLower() + u".xml"_s);
    QList<bible::ImportedBook> books;
    if (file.open(QIODevice::ReadOnly) && bible::readOsisBooks(file, books, nullptr)) {
        for (const bible::ImportedBook &imported : books) {
            for (auto c = imported.chapters.cbegin(); c != imported.chapters.cend(); ++c) {
                QStringList &verses = chapters[c.key()];
                for (auto v = c->cbegin(); v != c->cend(); ++v) {
                    while (verses.size() <= v.key())
                        verses << QString();
                    verses[v.key()] = v->simplified();
                }
            }
        }
    }
    return *m_books.insert(osisId, chapters);
}

QStringList LutherBible::chapter(const QString &loccumBook, int chapter)
{
    const auto name = bible::bookByLoccum(loccumBook);
    if (!name)
        return {};
    return book(name->osisId).value(chapter);
}

int LutherBible::verseCount(const QString &loccumBook, int chapter)
{
    const QStringList verses = this->chapter(loccumBook, chapter);
    return verses.isEmpty() ? 0 : int(verses.size()) - 1;
}

namespace {

// The Loccum form of a book as the order's sources spell it.
QString canonicalBook(QString book)
{
    static const QRegularExpression numbered(uR"(^(\d)\.? ?(\S+?)\.?$)"_s);
    if (const auto m = numbered.match(book); m.hasMatch())
        book = m.captured(1) + u". "_s + m.captured(2);
    else if (book.endsWith(u'.'))
        book.chop(1);
    static const QHash<QString, QString> aliases = {
        { u"Ez"_s, u"Hes"_s },   { u"Ex"_s, u"2. Mose"_s }, { u"Amos"_s, u"Am"_s },
        { u"Micha"_s, u"Mi"_s }, { u"Daniel"_s, u"Dan"_s }, { u"1. Mos"_s, u"1. Mose"_s },
        { u"Psalm"_s, u"Ps"_s },
    };
    return aliases.value(book, book);
}

class ReadingParser
{
public:
    ReadingParser(const QString &text, LutherBible &bible)
        : m_text(text)
        , m_bible(bible)
    {
    }

    VerseSet parse()
    {
        readBook();
        while (m_result.error.isEmpty() && !atEnd()) {
            const QChar c = peek();
            if (c.isSpace()) {
                ++m_pos;
            } else if (c == u'(') {
                m_optional = true;
                ++m_pos;
            } else if (c == u')') {
                m_optional = false;
                ++m_pos;
            } else if (c == u'.') {
                ++m_pos;
            } else if (c == u';') {
                ++m_pos;
                skipBlanks();
                if (!atEnd() && peek().isLetter())
                    readBook();
            } else if (c.isDigit()) {
                readNumberOrRange();
            } else if (QStringLiteral("abc").contains(c) && m_lastVerse > 0) {
                add(m_lastVerse, c); // "16a.c": the third part of verse 16
                ++m_pos;
            } else {
                fail(u"unexpected character"_s);
            }
        }
        if (m_result.error.isEmpty() && m_result.firm.isEmpty())
            fail(u"no verse"_s);
        m_result.firm.subtract(m_result.optional);
        return m_result;
    }

private:
    struct Token
    {
        int number = 0;
        QChar letter; // a, b, c for half a verse; f for "and the next"; null otherwise
    };

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text.at(m_pos); }
    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }
    void fail(const QString &why)
    {
        if (m_result.error.isEmpty())
            m_result.error = why + u" at "_s + QString::number(m_pos) + u" in "_s + m_text;
    }

    void readBook()
    {
        static const QRegularExpression bookRe(uR"(\G\s*((?:\d\.? ?)?\p{L}+\.?)\s*)"_s);
        const auto m = bookRe.match(m_text, m_pos);
        if (!m.hasMatch())
            return fail(u"no book"_s);
        m_book = canonicalBook(m.captured(1));
        if (!bible::bookByLoccum(m_book))
            return fail(u"unknown book "_s + m_book);
        m_pos = m.capturedEnd();
        m_chapter = -1;
    }

    Token readToken()
    {
        skipBlanks();
        Token t;
        const qsizetype start = m_pos;
        while (!atEnd() && peek().isDigit())
            ++m_pos;
        t.number = m_text.mid(start, m_pos - start).toInt();
        if (!atEnd() && QStringLiteral("abcf").contains(peek()))
            t.letter = m_text.at(m_pos++);
        skipBlanks();
        return t;
    }

    bool nextIs(QChar c)
    {
        skipBlanks();
        if (!atEnd() && peek() == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool nextIsDash() { return nextIs(u'-') || nextIs(QChar(0x2013)); }

    void add(int verse, QChar letter = {})
    {
        const QString id = u"%1 %2,%3%4"_s.arg(m_book).arg(m_chapter).arg(verse).arg(
            letter.isNull() ? QString() : QString(letter));
        if (m_bible.verseCount(m_book, m_chapter) < verse)
            return fail(u"no verse "_s + id + u" in the Luther Bible"_s);
        (m_optional ? m_result.optional : m_result.firm).insert(id);
        m_lastVerse = verse;
    }
    void addRange(Token from, int to, QChar toLetter)
    {
        int first = from.number;
        if (from.letter == u'a' || from.letter == u'b' || from.letter == u'c')
            add(first++, from.letter);
        const bool halfEnd = !toLetter.isNull();
        for (int v = first; v < to || (v == to && !halfEnd); ++v)
            add(v);
        if (halfEnd)
            add(to, toLetter);
        if (to < from.number)
            fail(u"a range runs backwards"_s);
    }

    void readNumberOrRange()
    {
        const Token t = readToken();
        if (nextIs(u',')) {
            m_chapter = t.number;
            return;
        }
        if (m_chapter < 0) { // a whole chapter, "Ps 24"
            m_chapter = t.number;
            const int count = m_bible.verseCount(m_book, m_chapter);
            if (count == 0)
                return fail(u"no such chapter"_s);
            for (int v = 1; v <= count; ++v)
                add(v);
            return;
        }
        if (t.letter == u'f') { // "20f." is verses 20 and 21
            add(t.number);
            add(t.number + 1);
            return;
        }
        if (!nextIsDash())
            return add(t.number, t.letter);
        const Token end = readToken();
        if (nextIs(u',')) { // runs across the end of the chapter
            addRange(t, m_bible.verseCount(m_book, m_chapter), {});
            m_chapter = end.number;
            const Token last = readToken();
            return addRange(Token { 1, {} }, last.number, last.letter);
        }
        addRange(t, end.number, end.letter);
    }

    QString m_text;
    LutherBible &m_bible;
    qsizetype m_pos = 0;
    QString m_book;
    int m_chapter = -1;
    int m_lastVerse = 0;
    bool m_optional = false;
    VerseSet m_result;
};

} // namespace

VerseSet versesOf(const QString &reading, LutherBible &bible)
{
    return ReadingParser(reading, bible).parse();
}

} // namespace pergoltest
