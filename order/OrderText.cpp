#include "order/OrderText.h"

#include "base/DataPaths.h"
#include "base/TextTrim.h"
#include "storage/Win1252Text.h"

#include <QFileInfo>
#include <QHash>

namespace ordertext {
namespace {

enum class Rule {
    Begruessung,
    Eingangslied,
    Dialog1,
    Dialog2,
    Dialog3,
    Psalm,
    ATLesung,
    GloriaPatri,
    Kyrie,
    GloriaExcelsis,
    Tagesgebet,
    Epistel,
    Wochenlied,
    Evangelium,
    Glaubensbekenntnis,
    Vorpredigtslied,
    Predigt,
    Abkuendigungen,
    Kollektenlied,
    Fuerbitte,
    Vaterunser,
    Ausgangslied,
    Segen,
};

// Element names are matched exactly, letter case included.
const QHash<QString, Rule> &rules()
{
    static const QHash<QString, Rule> table = {
        { QStringLiteral("Begrüßung mit Wochenspruch"), Rule::Begruessung },
        { QStringLiteral("Eingangslied"), Rule::Eingangslied },
        { QStringLiteral("1. Dialog"), Rule::Dialog1 },
        { QStringLiteral("2. Dialog"), Rule::Dialog2 },
        { QStringLiteral("3. Dialog"), Rule::Dialog3 },
        { QStringLiteral("Psalm"), Rule::Psalm },
        { QStringLiteral("AT-Lesung"), Rule::ATLesung },
        { QStringLiteral("Gloria Patri"), Rule::GloriaPatri },
        { QStringLiteral("Kyrie"), Rule::Kyrie },
        { QStringLiteral("Gloria Excelsis"), Rule::GloriaExcelsis },
        { QStringLiteral("Tagesgebet"), Rule::Tagesgebet },
        { QStringLiteral("Epistel"), Rule::Epistel },
        { QStringLiteral("Wochenlied"), Rule::Wochenlied },
        { QStringLiteral("Evangelium"), Rule::Evangelium },
        { QStringLiteral("Glaubensbekenntnis"), Rule::Glaubensbekenntnis },
        { QStringLiteral("Vorpredigtslied"), Rule::Vorpredigtslied },
        { QStringLiteral("Predigt"), Rule::Predigt },
        { QStringLiteral("Abkündigungen"), Rule::Abkuendigungen },
        { QStringLiteral("Kollektenlied"), Rule::Kollektenlied },
        { QStringLiteral("Fürbitte"), Rule::Fuerbitte },
        { QStringLiteral("Vaterunser"), Rule::Vaterunser },
        { QStringLiteral("Ausgangslied"), Rule::Ausgangslied },
        { QStringLiteral("Segen"), Rule::Segen },
    };
    return table;
}

constexpr LineFormat kRegular {};
constexpr LineFormat kBold { kTextPointSize, true, false };
constexpr LineFormat kItalic { kTextPointSize, false, true };

// Keeps the current format; every line takes the format in force when it is written.
class Writer
{
public:
    explicit Writer(QList<Line> &lines)
        : m_lines(lines)
    {
    }

    void setFormat(LineFormat format) { m_format = format; }
    void line(const QString &text) { m_lines.append({ text, m_format }); }
    void lines(const QStringList &texts)
    {
        for (const QString &text : texts)
            line(text);
    }
    bool lastLineIsBlank() const
    {
        return m_lines.isEmpty() || trimControl(m_lines.constLast().text).isEmpty();
    }

private:
    QList<Line> &m_lines;
    LineFormat m_format;
};

} // namespace

QString textFileName(const QString &elementName)
{
    QString name = elementName;
    for (QChar &c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return name + QStringLiteral(".txt");
}

OrderText generate(const OrderInput &input)
{
    OrderText result;
    Writer out(result.lines);

    const QString dayName = trimControl(input.dayPanelCaption);
    const bool violet = input.colour == kViolet;
    const bool black = input.colour == kBlack;

    out.setFormat({ kHeadingPointSize, true, false });
    out.line(dayName);
    out.line(input.dayEntry.left(10) + QStringLiteral(", Predigtreihe ") + input.series);
    out.line(QString());
    out.setFormat(kRegular);

    for (const QString &element : input.sequence) {
        const auto rule = rules().constFind(element);
        if (rule == rules().constEnd()) {
            // An element whose name would lead out of the text folder has no text file.
            const QString path
                = input.textFilePath && datapaths::fileNamePartProblem(element).isEmpty()
                ? input.textFilePath(textFileName(element))
                : QString();
            if (!path.isEmpty() && QFileInfo::exists(path)) {
                const Result<QStringList> read = win1252::readLines(path);
                if (!read) {
                    result.error = read.error();
                    return result;
                }
                const QStringList &fileLines = *read;
                out.setFormat(kBold);
                out.line(element + u':');
                out.setFormat(kRegular);
                out.lines(fileLines);
            } else {
                out.line(element);
            }
        } else {
            switch (*rule) {
            case Rule::Begruessung:
                out.line(QStringLiteral("Begrüßung mit dem Wochenspruch: ") + input.wochenspruch);
                break;
            case Rule::Eingangslied:
                out.line(QStringLiteral("Lied: ") + input.eingangslied);
                break;
            case Rule::Dialog1:
                out.lines(input.dialog1);
                break;
            case Rule::Dialog2:
                out.lines(input.dialog2);
                break;
            case Rule::Dialog3:
                out.lines(input.dialog3);
                break;
            case Rule::Psalm:
                out.line(input.psalm);
                break;
            case Rule::ATLesung:
                out.line(QStringLiteral("AT-Lesung: ") + input.atLesung);
                break;
            case Rule::GloriaPatri:
                // Not in the passion's last days, nor on black days.
                if (dayName != QStringLiteral("Palmsonntag")
                    && dayName != QStringLiteral("Gründonnerstag") && !black)
                    out.lines(input.gloriaPatri);
                break;
            case Rule::Kyrie:
                out.lines(input.kyrie);
                break;
            case Rule::GloriaExcelsis:
                // Not in the penitential seasons, except on the day that is named exactly so.
                if (!black && (!violet || dayName == QStringLiteral("1. Advent")))
                    out.lines(input.gloriaExcelsis);
                break;
            case Rule::Tagesgebet:
                out.line(QStringLiteral("Tagesgebet"));
                out.setFormat(kItalic);
                out.line(QStringLiteral("<dem Lektionar entnehmen>"));
                out.setFormat(kRegular);
                out.line(QString());
                break;
            case Rule::Epistel:
                out.line(QStringLiteral("Epistel: ") + input.epistel);
                if (!violet && !black)
                    out.line(QStringLiteral("Halleluja!"));
                break;
            case Rule::Wochenlied:
                out.line(QStringLiteral("Lied: ") + input.wochenlied);
                break;
            case Rule::Evangelium:
                out.line(QStringLiteral("Ehr sei dir Herre!"));
                out.line(QStringLiteral("Evangelium: ") + input.evangelium);
                out.line(QStringLiteral("Lob sei dir Christe!"));
                break;
            case Rule::Glaubensbekenntnis:
                out.setFormat(kBold);
                out.line(QStringLiteral("Glaubensbekenntnis:"));
                out.setFormat(kRegular);
                out.lines(input.credo);
                break;
            case Rule::Vorpredigtslied:
                out.line(QStringLiteral("Lied: ") + input.vorpredigtslied);
                break;
            case Rule::Predigt:
                out.line(QStringLiteral("Predigt: ") + input.predigttext);
                break;
            case Rule::Abkuendigungen:
                out.line(QStringLiteral("Abkündigungen"));
                break;
            case Rule::Kollektenlied:
                out.line(QStringLiteral("Lied: ") + input.kollektenlied
                         + QStringLiteral(" (Sammlung der Kollekte)"));
                break;
            case Rule::Fuerbitte:
                out.setFormat(kBold);
                out.line(QStringLiteral("Fürbitte:"));
                out.setFormat(kItalic);
                out.line(QStringLiteral("<selbst einfügen>"));
                out.setFormat(kRegular);
                out.line(QString());
                break;
            case Rule::Vaterunser:
                out.line(QStringLiteral("Gemeinsam beten wir:"));
                out.lines(input.vaterUnser);
                break;
            case Rule::Ausgangslied:
                out.line(QStringLiteral("Lied: ") + input.ausgangslied);
                break;
            case Rule::Segen:
                out.setFormat(kBold);
                out.line(QStringLiteral("Segen:"));
                out.setFormat(kRegular);
                out.lines(input.segen);
                out.line(QStringLiteral("Orgelnachspiel"));
                out.line(QString());
                break;
            }
        }
        if (!out.lastLineIsBlank())
            out.line(QString());
    }
    return result;
}

} // namespace ordertext
