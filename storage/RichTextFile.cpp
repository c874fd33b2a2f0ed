#include "storage/RichTextFile.h"

#include "storage/BoundedFile.h"
#include "storage/Win1252Text.h"

#include <QColor>
#include <QDir>
#include <QHash>
#include <QList>
#include <QStack>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cctype>

namespace richtextfile {

namespace {

void appendEscaped(QByteArray &out, const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == u'\n') {
            out += "\\line ";
        } else if (u == QChar::Nbsp) {
            out += "\\~";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u < 0x20) {
            // Other control characters have no place in a note.
        } else {
            const QByteArray encoded = win1252::encode(QString(c));
            if (encoded.size() == 1 && encoded.at(0) != '?') {
                out += "\\'" + QByteArray::number(uchar(encoded.at(0)), 16).rightJustified(2, '0');
            } else {
                // RTF writes the UTF-16 unit as a signed 16-bit number, then one stand-in.
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
    }
}

} // namespace

QByteArray toRtf(const QTextDocument &document)
{
    const QFont base = document.defaultFont();
    QStringList fonts;
    QList<QColor> colours;
    QByteArray body;

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            body += "\\par\r\n";
        body += "\\pard";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const QFont font = format.font().resolve(base);
            qsizetype fontIndex = fonts.indexOf(font.family());
            if (fontIndex < 0) {
                fontIndex = fonts.size();
                fonts.append(font.family());
            }
            double points = format.fontPointSize();
            if (points <= 0)
                points = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
            body += "{\\plain\\f" + QByteArray::number(fontIndex) + "\\fs"
                + QByteArray::number(qRound(points * 2));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
            if (font.underline())
                body += "\\ul";
            if (font.strikeOut())
                body += "\\strike";
            if (format.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor colour = format.foreground().color();
                qsizetype colourIndex = colours.indexOf(colour);
                if (colourIndex < 0) {
                    colourIndex = colours.size();
                    colours.append(colour);
                }
                body += "\\cf" + QByteArray::number(colourIndex + 1);
            }
            body += ' ';
            appendEscaped(body, fragment.text());
            body += '}';
        }
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    if (fonts.isEmpty())
        fonts.append(base.family());
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil ";
        appendEscaped(out, fonts.at(i));
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QColor &c : colours)
        out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green())
            + "\\blue" + QByteArray::number(c.blue()) + ';';
    out += "}\r\n";
    out += body;
    out += "\r\n}\r\n";
    return out;
}

bool isRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    // A byte-order mark or leading blank lines do not hide an RTF file.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size()
           && (bytes.at(i) == ' ' || bytes.at(i) == '\r' || bytes.at(i) == '\n'
               || bytes.at(i) == '\t'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

namespace {

// Editors nest groups a few levels deep; this is far more than any of them writes.
constexpr qsizetype kMaxGroupDepth = 256;

enum class Destination { Text, FontTable, ColourTable, Skip };

struct State
{
    Destination destination = Destination::Text;
    int font = -1;
    int halfPoints = 0; // 0: not given, the editor's size applies
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int colour = 0;
    int unicodeSkip = 1;

    bool operator==(const State &) const = default;
};

// The Unicode character of each Windows-1252 byte.
QChar fromWin1252(uchar byte)
{
    static const QString table = [] {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        return win1252::decode(all);
    }();
    return table.at(byte);
}

class RtfReader
{
public:
    RtfReader(const QByteArray &bytes, QTextDocument &document)
        : m_in(bytes)
        , m_cursor(&document)
    {
    }

    void run()
    {
        // One edit block for the whole note: otherwise every paragraph would be laid out and
        // recorded for undo on its own, which makes a note of many paragraphs slow and huge.
        m_cursor.beginEditBlock();
        bool groupStart = false;
        qsizetype i = 0;
        while (i < m_in.size() && !m_full) {
            const char c = m_in.at(i);
            if (c == '{') {
                // Groups deeper than any editor writes keep the state of the deepest kept
                // one; only their number is remembered, so "{" after "{" costs no memory.
                if (m_stack.size() < kMaxGroupDepth)
                    m_stack.push(m_state);
                else
                    ++m_groupsBeyondDepth;
                groupStart = true;
                ++i;
                continue;
            }
            if (c == '}') {
                flush();
                if (m_groupsBeyondDepth > 0) {
                    --m_groupsBeyondDepth;
                    ++i;
                    continue;
                }
                if (m_stack.isEmpty())
                    break; // the end of the document; anything after it is not RTF
                m_state = m_stack.pop();
                ++i;
                continue;
            }
            const bool wasGroupStart = groupStart;
            groupStart = false;
            if (c == '\\') {
                i = control(i + 1, wasGroupStart);
                continue;
            }
            ++i;
            if (c == '\r' || c == '\n')
                continue;
            emitByte(uchar(c));
        }
        flush();
        m_cursor.endEditBlock();
    }

private:
    qsizetype control(qsizetype i, bool groupStart)
    {
        if (i >= m_in.size())
            return i;
        const char n = m_in.at(i);
        if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
            qsizetype j = i;
            while (j < m_in.size()
                   && ((m_in.at(j) >= 'a' && m_in.at(j) <= 'z')
                       || (m_in.at(j) >= 'A' && m_in.at(j) <= 'Z')))
                ++j;
            const QByteArray word = m_in.mid(i, j - i);
            bool hasParam = false;
            int param = 0;
            qsizetype k = j;
            if (k < m_in.size()
                && (m_in.at(k) == '-' || (m_in.at(k) >= '0' && m_in.at(k) <= '9'))) {
                ++k;
                while (k < m_in.size() && m_in.at(k) >= '0' && m_in.at(k) <= '9' && k - j < 10)
                    ++k;
                bool ok = false;
                param = m_in.mid(j, k - j).toInt(&ok);
                hasParam = ok;
            }
            if (k < m_in.size() && m_in.at(k) == ' ')
                ++k;
            word_(word, hasParam, param, groupStart);
            return k;
        }
        switch (n) {
        case '\'': {
            bool ok = false;
            const int value = m_in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok)
                emitByte(uchar(value));
            return i + 3;
        }
        case '\\':
        case '{':
        case '}':
            emitByte(uchar(n));
            return i + 1;
        case '*':
            if (groupStart)
                m_state.destination = Destination::Skip;
            return i + 1;
        case '~':
            emitChar(QChar::Nbsp);
            return i + 1;
        case '_':
            emitChar(u'-');
            return i + 1;
        case '\r':
        case '\n':
            word_("par", false, 0, false);
            return i + 1;
        default:
            return i + 1;
        }
    }

    void word_(const QByteArray &word, bool hasParam, int param, bool groupStart)
    {
        static const QList<QByteArray> skipped = { "stylesheet",
                                                   "info",
                                                   "pict",
                                                   "header",
                                                   "footer",
                                                   "headerl",
                                                   "headerr",
                                                   "headerf",
                                                   "footerl",
                                                   "footerr",
                                                   "footerf",
                                                   "object",
                                                   "fldinst",
                                                   "listtable",
                                                   "listoverridetable",
                                                   "rsidtbl",
                                                   "generator",
                                                   "themedata",
                                                   "colorschememapping",
                                                   "latentstyles",
                                                   "datastore",
                                                   "xmlnstbl",
                                                   "pgdsctbl",
                                                   "filetbl",
                                                   "revtbl",
                                                   "footnote",
                                                   "bkmkstart",
                                                   "bkmkend",
                                                   "nonshppict",
                                                   "shppict" };
        const bool on = !hasParam || param != 0;
        if (word == "fonttbl") {
            m_state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            m_state.destination = Destination::ColourTable;
        } else if (skipped.contains(word)) {
            m_state.destination = Destination::Skip;
        } else if (m_state.destination == Destination::FontTable) {
            if (word == "f" && hasParam) {
                m_fontNumber = param;
                m_fontName.clear();
            }
        } else if (m_state.destination == Destination::ColourTable) {
            if (word == "red")
                m_red = param;
            else if (word == "green")
                m_green = param;
            else if (word == "blue")
                m_blue = param;
        } else if (m_state.destination == Destination::Skip) {
            // nothing inside a skipped destination counts
        } else if (word == "par") {
            paragraph();
        } else if (word == "line") {
            emitChar(QChar::LineSeparator);
        } else if (word == "tab") {
            emitChar(u'\t');
        } else if (word == "plain") {
            const State keep = m_state;
            m_state = State();
            m_state.destination = keep.destination;
            m_state.unicodeSkip = keep.unicodeSkip;
        } else if (word == "b") {
            m_state.bold = on;
        } else if (word == "i") {
            m_state.italic = on;
        } else if (word == "ul") {
            m_state.underline = on;
        } else if (word == "ulnone") {
            m_state.underline = false;
        } else if (word == "strike") {
            m_state.strike = on;
        } else if (word == "fs" && hasParam) {
            m_state.halfPoints = qBound(0, param, 2000);
        } else if (word == "f" && hasParam) {
            m_state.font = param;
        } else if (word == "cf" && hasParam) {
            m_state.colour = param;
        } else if (word == "uc" && hasParam) {
            m_state.unicodeSkip = qBound(0, param, 10);
        } else if (word == "u" && hasParam) {
            emitChar(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_pendingSkip = m_state.unicodeSkip;
        }
        Q_UNUSED(groupStart);
    }

    void emitByte(uchar byte)
    {
        if (m_state.destination == Destination::FontTable) {
            if (byte == ';') {
                if (m_fontNumber >= 0)
                    m_fonts.insert(m_fontNumber, m_fontName.trimmed());
                m_fontName.clear();
            } else {
                m_fontName += fromWin1252(byte);
            }
            return;
        }
        if (m_state.destination == Destination::ColourTable) {
            if (byte == ';') {
                m_colours.append(m_red < 0 ? QColor()
                                           : QColor(qBound(0, m_red, 255), qBound(0, m_green, 255),
                                                    qBound(0, m_blue, 255)));
                m_red = m_green = m_blue = -1;
            }
            return;
        }
        if (m_state.destination == Destination::Skip)
            return;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        emitChar(fromWin1252(byte));
    }

    // Every paragraph the reader makes passes here: a note holds fewer than kMaxParagraphs,
    // and reading ends at the limit.
    void paragraph()
    {
        if (m_state.destination != Destination::Text || m_full)
            return;
        flush();
        if (++m_paragraphs >= kMaxParagraphs) {
            m_full = true;
            return;
        }
        m_cursor.insertBlock();
    }

    void emitChar(QChar c)
    {
        if (m_state.destination != Destination::Text)
            return;
        // Characters that the document would turn into paragraphs or frames: a line feed,
        // carriage return or paragraph separator ends the paragraph, the frame marks are
        // dropped.
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator) {
            paragraph();
            return;
        }
        if (c == QChar(0xFDD0) || c == QChar(0xFDD1))
            return;
        // The format changes rarely; it is made anew only when the state did.
        if (!m_pending.isEmpty() && m_state == m_pendingState) {
            m_pending += c;
            return;
        }
        const QTextCharFormat format = currentFormat();
        if (!m_pending.isEmpty() && format != m_pendingFormat)
            flush();
        m_pendingFormat = format;
        m_pendingState = m_state;
        m_pending += c;
    }

    QTextCharFormat currentFormat() const
    {
        QTextCharFormat f;
        if (const auto it = m_fonts.constFind(m_state.font);
            it != m_fonts.constEnd() && !it->isEmpty())
            f.setFontFamilies(QStringList { *it });
        if (m_state.halfPoints > 0)
            f.setFontPointSize(m_state.halfPoints / 2.0);
        f.setFontWeight(m_state.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(m_state.italic);
        f.setFontUnderline(m_state.underline);
        f.setFontStrikeOut(m_state.strike);
        if (m_state.colour > 0 && m_state.colour < m_colours.size()
            && m_colours.at(m_state.colour).isValid())
            f.setForeground(m_colours.at(m_state.colour));
        return f;
    }

    void flush()
    {
        if (m_pending.isEmpty())
            return;
        m_cursor.insertText(m_pending, m_pendingFormat);
        m_pending.clear();
    }

    const QByteArray &m_in;
    QTextCursor m_cursor;
    State m_state;
    QStack<State> m_stack;
    QHash<int, QString> m_fonts;
    int m_fontNumber = -1;
    QString m_fontName;
    // The colour table's entry 0 is "automatic" (written as an empty entry).
    QList<QColor> m_colours;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
    int m_pendingSkip = 0;
    qsizetype m_groupsBeyondDepth = 0;
    qsizetype m_paragraphs = 1;
    bool m_full = false;
    QString m_pending;
    QTextCharFormat m_pendingFormat;
    State m_pendingState;
};

} // namespace

void fromRtf(const QByteArray &bytes, QTextDocument &document)
{
    document.clear();
    // A note read from a file starts without undo history; recording one would double the
    // memory of a long note.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    RtfReader(bytes, document).run();
    document.setUndoRedoEnabled(undo);
}

void load(const QByteArray &bytes, QTextDocument &document)
{
    if (isRtf(bytes)) {
        fromRtf(bytes, document);
        return;
    }
    document.clear();
    // The lines as win1252::splitLines finds them, joined by "\n", without a copy per line.
    QString text = win1252::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    document.setPlainText(text);
}

qsizetype paragraphBreaks(const QByteArray &bytes)
{
    qsizetype breaks = 0;
    const qsizetype n = bytes.size();
    if (isRtf(bytes)) {
        // Every way the reader makes a paragraph: "\par" as a whole control word, a backslash
        // before a line break, the characters line feed, carriage return and paragraph
        // separator written as "\'0a", "\'0d", "\u10", "\u13" or "\u8233". Anything else
        // that looks alike only makes the count higher, never lower.
        for (qsizetype i = bytes.indexOf('\\'); i >= 0 && i + 1 < n;
             i = bytes.indexOf('\\', i + 1)) {
            const char next = bytes.at(i + 1);
            if (next == '\r' || next == '\n') {
                ++breaks;
            } else if (next == 'p' && i + 4 <= n && bytes.sliced(i + 1, 3) == "par"
                       && (i + 4 == n || !std::isalpha(uchar(bytes.at(i + 4))))) {
                ++breaks;
            } else if (next == '\'' && i + 4 <= n) {
                const QByteArray hex = bytes.sliced(i + 2, 2).toLower();
                if (hex == "0a" || hex == "0d")
                    ++breaks;
            } else if (next == 'u' && i + 2 < n
                       && (bytes.at(i + 2) == '-' || std::isdigit(uchar(bytes.at(i + 2))))) {
                qsizetype end = i + 3;
                while (end < n && std::isdigit(uchar(bytes.at(end))) && end - i < 12)
                    ++end;
                bool ok = false;
                // The reader keeps the UTF-16 unit of the number (it wraps at 65536).
                const qint64 value
                    = ((bytes.sliced(i + 2, end - i - 2).toLongLong(&ok) % 65536) + 65536) % 65536;
                if (ok && (value == 10 || value == 13 || value == 8233))
                    ++breaks;
            }
        }
        return breaks;
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes.at(i) == '\n' || (bytes.at(i) == '\r' && (i + 1 == n || bytes.at(i + 1) != '\n')))
            ++breaks;
    }
    return breaks;
}

Result<> readFile(const QString &path, QTextDocument &document)
{
    const Result<QByteArray> bytes = boundedfile::read(path, boundedfile::kNoteLimit);
    if (!bytes)
        return bytes.failure();
    if (paragraphBreaks(*bytes) >= kMaxParagraphs)
        return Failure { QStringLiteral("Die Datei %1 kann nicht gelesen werden: Sie hat mehr "
                                        "als %2 Absätze, so lang ist keine Notiz.")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(kMaxParagraphs) };
    load(*bytes, document);
    return {};
}

Result<> writeFile(const QString &path, const QTextDocument &document)
{
    return win1252::writeFileAtomically(path, toRtf(document));
}

} // namespace richtextfile
