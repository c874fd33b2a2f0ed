// The export of a list of paragraphs through UNO, in the office plugin.
#include "office/OfficeText.h"
#include "office/OfficeUno.h"
#include "office/OpenOffice.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

namespace uno = css::uno;
using namespace officetext;

namespace {

// The office's own superscript: raised by a third of the line, at 58 percent of the size.
constexpr sal_Int16 kRaisedEscapement = 33;
constexpr sal_Int8 kRaisedHeight = 58;

struct Look
{
    QString style; // the paragraph style's German name
    QString programmaticStyle;
    int extraPoints = 0;
    float weight = 100.0F; // css::awt::FontWeight::NORMAL
    bool italic = false;
};

Look lookOf(OfficeParagraph::Style style)
{
    const QString body = QStringLiteral("Text body");
    switch (style) {
    case OfficeParagraph::Style::Title:
        return { QStringLiteral("Titel"), QStringLiteral("Title"), 4, 150.0F, false };
    case OfficeParagraph::Style::Heading:
        return { QStringLiteral("Überschrift 2"), QStringLiteral("Heading 2"), 2, 150.0F, false };
    case OfficeParagraph::Style::Subheading:
        return { QStringLiteral("Textkörper"), body, 0, 110.0F, true };
    case OfficeParagraph::Style::Body:
        break;
    case OfficeParagraph::Style::Note:
        return { QStringLiteral("Textkörper"), body, 0, 100.0F, true };
    }
    return { QStringLiteral("Textkörper"), body, 0, 100.0F, false };
}

// Sets the first characters of the paragraph just inserted before the cursor small and raised.
// They are chosen as a range after the text is in: written on the collapsed cursor before the
// text, the office would take the attribute for the whole (still empty) paragraph.
void raiseStart(const uno::Reference<css::text::XText> &text,
                const uno::Reference<css::text::XTextViewCursor> &cursor,
                const OfficeParagraph &paragraph)
{
    const qsizetype length = paragraph.text.size();
    // Raised over the whole paragraph the attribute would be the paragraph's, and the next
    // paragraph would take it over; the office's cursor steps are 16-bit counts.
    if (paragraph.raised >= length || length > 32767)
        return;
    const uno::Reference<css::text::XTextCursor> range
        = text->createTextCursorByRange(cursor.get());
    range->goLeft(static_cast<sal_Int16>(length), false);
    range->goRight(static_cast<sal_Int16>(paragraph.raised), true);
    setProperty(range, QStringLiteral("CharEscapement"), uno::Any(kRaisedEscapement));
    setProperty(range, QStringLiteral("CharEscapementHeight"), uno::Any(kRaisedHeight));
}

} // namespace

Result<bool> exportParagraphsWithUno(const ParagraphExportInput &input)
{
    const std::unique_ptr<TOpenOffice> office = TOpenOffice::Create();
    if (!office->Connected)
        return false;

    try {
        if (!office->NewDocument(QStringLiteral("swriter")))
            return false;
        const uno::Reference<css::lang::XComponent> &document = office->Document;
        setTitle(document, input.title);
        const uno::Reference<css::text::XTextViewCursor> cursor = viewCursor(document);
        const uno::Reference<css::text::XText> text(cursor->getText(), uno::UNO_SET_THROW);
        for (qsizetype i = 0; i < input.paragraphs.size(); ++i) {
            const OfficeParagraph &paragraph = input.paragraphs.at(i);
            if (i > 0)
                text->insertControlCharacter(cursor.get(),
                                             css::text::ControlCharacter::PARAGRAPH_BREAK, false);
            const Look look = lookOf(paragraph.style);
            setStyleName(cursor, QStringLiteral("ParaStyleName"), look.style,
                         look.programmaticStyle);
            // Every attribute is set for every paragraph: the next one would otherwise take
            // over what the one before it had.
            setProperty(cursor, QStringLiteral("CharHeight"),
                        uno::Any(float(input.pointSize + look.extraPoints)));
            setProperty(cursor, QStringLiteral("CharWeight"), uno::Any(look.weight));
            setProperty(
                cursor, QStringLiteral("CharPosture"),
                uno::Any(look.italic ? css::awt::FontSlant_ITALIC : css::awt::FontSlant_NONE));
            insert(text, cursor.get(), paragraph.text);
            if (paragraph.raised > 0)
                raiseStart(text, cursor, paragraph);
        }
        // The document opens at its first line, not after the last paragraph filled in.
        cursor->gotoStart(false);
    } catch (const uno::Exception &error) {
        return Failure { unoErrorText(error) };
    }
    return true;
}
