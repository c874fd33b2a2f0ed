#include "bible/OsisImport.h"

#include "bible/BibleImport.h"
#include "bible/BookNames.h"
#include "bible/XmlBibleWalk.h"
#include "storage/Win1252Text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

struct VerseId
{
    QString book;
    int chapter = 0;
    int verse = 0;
};

// "Mark.1.9" (also the first of "Mark.1.9 Mark.1.10" or "Mark.1.9-Mark.1.10").
std::optional<VerseId> parseVerseId(const QString &osisId)
{
    QString first = osisId.trimmed().section(u' ', 0, 0);
    first = first.section(u'-', 0, 0);
    const QStringList parts = first.split(u'.');
    if (parts.size() < 3 || parts.at(0).isEmpty())
        return std::nullopt;
    bool chapterOk = false;
    bool verseOk = false;
    VerseId id { parts.at(0), parts.at(1).toInt(&chapterOk), parts.at(2).toInt(&verseOk) };
    if (!chapterOk || !verseOk || id.chapter <= 0 || id.verse < 0)
        return std::nullopt;
    return id;
}

class OsisReader
{
public:
    OsisReader(QIODevice &device, const ReadTick &tick)
        : m_device(device)
        , m_xml(&device)
        , m_tick(tick)
    {
    }

    bool read(QList<ImportedBook> &books, QString *errorText)
    {
        if (!walkXmlBible(
                m_xml, m_device, m_tick, errorText, [this] { startElement(); },
                [this] { endElement(); },
                [this] {
                    if (m_inVerse && m_noteDepth == 0)
                        m_text += m_xml.text();
                }))
            return false;
        if (m_inVerse)
            finishVerse();
        if (m_verses == 0) {
            if (errorText)
                *errorText = u"keine Bibelverse im OSIS-Format gefunden"_s;
            return false;
        }
        for (const QString &id : std::as_const(m_order))
            books.append(m_books.value(id));
        return true;
    }

private:
    // Elements that end a line of text: where the verse runs on after them, a blank separates.
    static bool breaksText(QStringView name)
    {
        for (const char16_t *block :
             { u"p", u"l", u"lg", u"lb", u"div", u"list", u"item", u"cell" }) {
            if (name == QStringView(block))
                return true;
        }
        return false;
    }

    void startElement()
    {
        const auto name = m_xml.name();
        if (m_inVerse && breaksText(name))
            m_text += u' ';
        const auto attributes = m_xml.attributes();
        if (name == u"note") {
            ++m_noteDepth;
        } else if (name == u"div" && attributes.value("type"_L1) == u"book") {
            m_currentBook = attributes.value("osisID"_L1).toString();
        } else if (name == u"chapter" && attributes.hasAttribute("osisID"_L1)) {
            m_currentChapter = attributes.value("osisID"_L1).toString().section(u'.', 1, 1).toInt();
        } else if (name == u"verse") {
            if (attributes.hasAttribute("eID"_L1)) {
                if (m_inVerse && m_milestone)
                    finishVerse();
                return;
            }
            if (m_inVerse)
                finishVerse();
            QString id = attributes.value("osisID"_L1).toString();
            if (id.isEmpty())
                id = attributes.value("sID"_L1).toString();
            if (id.isEmpty() && attributes.hasAttribute("n"_L1))
                id = u"%1.%2.%3"_s.arg(m_currentBook)
                         .arg(m_currentChapter)
                         .arg(attributes.value("n"_L1).toString());
            m_verseId = id;
            m_milestone = attributes.hasAttribute("sID"_L1);
            m_inVerse = true;
            m_text.clear();
        }
    }

    void endElement()
    {
        const auto name = m_xml.name();
        if (m_inVerse && breaksText(name))
            m_text += u' ';
        if (name == u"note") {
            if (m_noteDepth > 0)
                --m_noteDepth;
        } else if (name == u"verse") {
            if (m_inVerse && !m_milestone)
                finishVerse();
        }
    }

    void finishVerse()
    {
        m_inVerse = false;
        const auto id = parseVerseId(m_verseId);
        if (!id)
            return;
        if (!m_books.contains(id->book)) {
            m_order.append(id->book);
            m_books.insert(id->book, ImportedBook { id->book, {} });
        }
        QMap<int, QString> &chapter = m_books[id->book].chapters[id->chapter];
        if (!chapter.contains(id->verse)) {
            chapter.insert(id->verse, m_text.simplified());
            ++m_verses;
        }
    }

    QIODevice &m_device;
    QXmlStreamReader m_xml;
    const ReadTick &m_tick;
    QHash<QString, ImportedBook> m_books;
    QStringList m_order;
    QString m_currentBook;
    int m_currentChapter = 0;
    QString m_verseId;
    QString m_text;
    bool m_inVerse = false;
    bool m_milestone = false;
    int m_noteDepth = 0;
    int m_verses = 0;
};

} // namespace

int ImportedBook::verseCount() const
{
    int count = 0;
    for (const auto &chapter : chapters)
        count += int(chapter.size());
    return count;
}

bool readOsisBooks(QIODevice &device, QList<ImportedBook> &books, QString *errorText,
                   const ReadTick &tick)
{
    OsisReader reader(device, tick);
    return reader.read(books, errorText);
}

QByteArray bibleFileBytes(const ImportedBook &book)
{
    QStringList lines;
    for (auto chapter = book.chapters.cbegin(); chapter != book.chapters.cend(); ++chapter) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(u"[Kapitel %1]"_s.arg(chapter.key()));
        for (auto verse = chapter->cbegin(); verse != chapter->cend(); ++verse)
            lines.append(u"%1=%2"_s.arg(verse.key()).arg(verse.value()));
    }
    return win1252::encode(win1252::joinLines(lines));
}

QString importSummaryText(const ImportSummary &summary)
{
    const auto nativePath = [](const QString &path) { return QDir::toNativeSeparators(path); };
    QStringList folders;
    for (const QString &path : summary.writtenFiles) {
        const QString folder = nativePath(QFileInfo(path).absolutePath());
        if (!folders.contains(folder))
            folders.append(folder);
    }
    QString text = u"%1 Bücher mit %2 Kapiteln und %3 Versen eingelesen und nach %4 geschrieben."_s
                       .arg(summary.books)
                       .arg(summary.chapters)
                       .arg(summary.verses)
                       .arg(folders.join(u" und "_s));
    if (!summary.skippedBooks.isEmpty()) {
        QStringList skipped;
        for (const QString &id : summary.skippedBooks)
            skipped.append(germanBookName(id));
        text += u" Übersprungen (kein bekanntes Buch): %1."_s.arg(skipped.join(u", "_s));
    }
    if (!summary.duplicateBooks.isEmpty()) {
        QStringList duplicates;
        for (const QString &id : summary.duplicateBooks)
            duplicates.append(germanBookName(id));
        text
            += u" Mehrfach vorhanden (die erste Fassung gilt): %1."_s.arg(duplicates.join(u", "_s));
    }
    return text;
}

} // namespace bible
