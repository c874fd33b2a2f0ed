// The export of the order through UNO, in the office plugin.
#include "office/OfficeText.h"
#include "office/OfficeUno.h"
#include "office/OpenOffice.h"

#include <QCoreApplication>

#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextColumns.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

namespace uno = css::uno;
using namespace officetext;

namespace {

bool isBlank(const QStringList &lines, qsizetype index)
{
    return index >= lines.size() || trimControl(lines.at(index)).isEmpty();
}

} // namespace

// Sends the order's lines from line 1 on into the document at the view cursor. The view
// itself is never touched: the temporary blank last line that closes the final paragraph is
// added to a copy of the lines. An error ends the transfer with false; what was inserted up
// to then stays in the document.
bool TransferOrderLines(const uno::Reference<css::text::XText> &text,
                        const uno::Reference<css::text::XTextViewCursor> &cursor,
                        const OrderExportInput &input)
{
    try {
        QCoreApplication::processEvents();
        insert(text, cursor.get(), u'(' + input.lines.value(1) + u')');

        QStringList lines = input.lines;
        lines.append(QString());
        const qsizetype last = lines.size() - 1;

        // The text of a paragraph goes to the office in one piece when the paragraph is
        // complete (each call waits for the office), then the shadows onto exactly the
        // characters of the lines that open an element. Written on the collapsed cursor
        // before the line, as one would type it, the office would put the attribute on the
        // whole (still empty) paragraph and every later line of it would inherit it.
        QString pending;
        qsizetype paragraphLength = 1 + input.lines.value(1).size() + 1;
        QList<std::pair<qsizetype, qsizetype>> openings; // start and length in the paragraph
        const auto completeParagraph = [&] {
            if (!pending.isEmpty())
                insert(text, cursor.get(), pending);
            pending.clear();
            for (const auto &[start, length] : std::as_const(openings)) {
                const uno::Reference<css::text::XTextCursor> range
                    = text->createTextCursorByRange(cursor.get());
                range->goLeft(static_cast<sal_Int16>(paragraphLength - start), false);
                range->goRight(static_cast<sal_Int16>(length), true);
                setProperty(range, QStringLiteral("CharShadowed"), uno::Any(true));
            }
            text->insertControlCharacter(cursor.get(), css::text::ControlCharacter::PARAGRAPH_BREAK,
                                         false);
            // A shadow over a whole paragraph becomes a paragraph attribute in the office,
            // which the new paragraph would inherit.
            if (!openings.isEmpty())
                setProperty(cursor, QStringLiteral("CharShadowed"), uno::Any(false));
            openings.clear();
            paragraphLength = 0;
        };

        for (qsizetype a = 2; a <= last; ++a) {
            if (isBlank(lines, a) && !isBlank(lines, a - 1)) {
                completeParagraph();
                continue;
            }
            const QString &line = lines.at(a);
            // Lines beyond the reach of the office's cursor steps stay plain.
            if (opensElement(line, input.elementNames) && paragraphLength + line.size() < 32767)
                openings.append({ paragraphLength, line.size() });
            pending += line;
            paragraphLength += line.size();
            if (!isBlank(lines, a + 1)) {
                pending += u'\n';
                ++paragraphLength;
            }
        }
    } catch (const uno::Exception &) {
        return false;
    }
    return true;
}

Result<bool> exportOrderWithUno(const QString &dayName, const OrderExportInput &input)
{
    const std::unique_ptr<TOpenOffice> office = TOpenOffice::Create();
    if (!office->Connected)
        return false;

    try {
        office->NewDocument(QStringLiteral("swriter"));
        const uno::Reference<css::lang::XComponent> &document = office->Document;
        setTitle(document, dayName);
        const uno::Reference<css::text::XTextViewCursor> cursor = viewCursor(document);

        if (input.pageFormat == 1) {
            setStyleName(cursor, QStringLiteral("PageDescName"), QStringLiteral("Querformat"),
                         QStringLiteral("Landscape"));
            const uno::Reference<css::lang::XMultiServiceFactory> factory(document,
                                                                          uno::UNO_QUERY_THROW);
            const uno::Reference<css::text::XTextColumns> columns(
                factory->createInstance(rtl::OUString("com.sun.star.text.TextColumns")),
                uno::UNO_QUERY_THROW);
            columns->setColumnCount(2);
            const uno::Reference<css::text::XTextContent> section(
                factory->createInstance(rtl::OUString("com.sun.star.text.TextSection")),
                uno::UNO_QUERY_THROW);
            setProperty(section, QStringLiteral("TextColumns"), uno::Any(columns));
            const uno::Reference<css::text::XTextDocument> textDocument(document,
                                                                        uno::UNO_QUERY_THROW);
            textDocument->getText()->insertTextContent(cursor.get(), section, false);
            uno::Reference<css::text::XPageCursor>(cursor, uno::UNO_QUERY_THROW)
                ->jumpToStartOfPage();
        }

        const uno::Reference<css::text::XText> text(cursor->getText(), uno::UNO_SET_THROW);
        setStyleName(cursor, QStringLiteral("ParaStyleName"), QStringLiteral("Heading 1"),
                     QStringLiteral("Heading 1"));
        insert(text, cursor.get(), dayName + u'\r');
        setStyleName(cursor, QStringLiteral("ParaStyleName"), QStringLiteral("Textkörper"),
                     QStringLiteral("Text body"));
        // The transfer's own result is not needed: whatever it inserted stays.
        TransferOrderLines(text, cursor, input);
    } catch (const uno::Exception &error) {
        return Failure { unoErrorText(error) };
    }
    return true;
}
