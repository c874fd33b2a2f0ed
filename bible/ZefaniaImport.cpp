#include "bible/ZefaniaImport.h"

#include "bible/BookNames.h"
#include "bible/XmlBibleWalk.h"

#include <QHash>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

// Elements whose text is not part of the verse.
bool isDropped(QStringView name)
{
    return name == u"NOTE" || name == u"XREF" || name == u"REMARK" || name == u"CAPTION";
}

class ZefaniaReader
{
public:
    ZefaniaReader(QIODevice &device, const ReadTick &tick)
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
                    if (m_inVerse && m_dropDepth == 0)
                        m_text += m_xml.text();
                }))
            return false;
        if (m_verses == 0) {
            if (errorText)
                *errorText = u"keine Bibelverse im Zefania-Format gefunden"_s;
            return false;
        }
        for (const QString &id : std::as_const(m_order))
            books.append(m_books.value(id));
        return true;
    }

private:
    void startElement()
    {
        const auto name = m_xml.name();
        const auto attributes = m_xml.attributes();
        if (m_inVerse) {
            if (isDropped(name))
                ++m_dropDepth;
            else if (name == u"BR")
                m_text += u' ';
            return;
        }
        if (name == u"BIBLEBOOK") {
            const int number = attributes.value("bnumber"_L1).toInt();
            m_book = osisIdOfZefaniaBook(number);
            if (m_book.isEmpty())
                m_book = u"Zefania %1"_s.arg(attributes.value("bnumber"_L1));
            m_chapter = 0;
        } else if (name == u"CHAPTER") {
            m_chapter = attributes.value("cnumber"_L1).toInt();
        } else if (name == u"VERS") {
            bool ok = false;
            m_verse = attributes.value("vnumber"_L1).toInt(&ok);
            if (!ok)
                m_verse = -1;
            m_inVerse = true;
            m_dropDepth = 0;
            m_text.clear();
        }
    }

    void endElement()
    {
        if (!m_inVerse)
            return;
        const auto name = m_xml.name();
        if (name == u"VERS") {
            finishVerse();
        } else if (isDropped(name)) {
            if (m_dropDepth > 0)
                --m_dropDepth;
        } else if (name == u"STYLE" || name == u"gr" || name == u"SUP") {
            // Inline markup: the words run on.
        } else {
            m_text += u' ';
        }
    }

    void finishVerse()
    {
        m_inVerse = false;
        if (m_book.isEmpty() || m_chapter <= 0 || m_verse < 0)
            return;
        if (!m_books.contains(m_book)) {
            m_order.append(m_book);
            m_books.insert(m_book, ImportedBook { m_book, {} });
        }
        QMap<int, QString> &chapter = m_books[m_book].chapters[m_chapter];
        if (!chapter.contains(m_verse)) {
            chapter.insert(m_verse, m_text.simplified());
            ++m_verses;
        }
    }

    QIODevice &m_device;
    QXmlStreamReader m_xml;
    const ReadTick &m_tick;
    QHash<QString, ImportedBook> m_books;
    QStringList m_order;
    QString m_book;
    int m_chapter = 0;
    int m_verse = -1;
    QString m_text;
    bool m_inVerse = false;
    int m_dropDepth = 0;
    int m_verses = 0;
};

} // namespace

QString osisIdOfZefaniaBook(int bnumber)
{
    // 1 to 39 the Old Testament, 40 to 66 the New, in the order of the Protestant canon, which
    // is the order of our list without its Apocrypha; then the Apocrypha in Zefania's order.
    static const QStringList numbered = [] {
        QStringList ids;
        for (const BookName &book : bookNames())
            ids.append(book.osisId);
        QStringList canon = ids.mid(0, 39) + ids.mid(ids.indexOf(u"Matt"_s));
        canon += { u"Jdt"_s,   u"Wis"_s,   u"Tob"_s,    u"Sir"_s,     u"Bar"_s,
                   u"1Macc"_s, u"2Macc"_s, u"AddDan"_s, u"AddEsth"_s, u"PrMan"_s };
        return canon;
    }();
    return bnumber >= 1 && bnumber <= numbered.size() ? numbered.at(bnumber - 1) : QString();
}

bool readZefaniaBooks(QIODevice &device, QList<ImportedBook> &books, QString *errorText,
                      const ReadTick &tick)
{
    ZefaniaReader reader(device, tick);
    return reader.read(books, errorText);
}

} // namespace bible
