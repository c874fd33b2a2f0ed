// The sermon document through UNO, in the office plugin.
#include "office/OfficeText.h"
#include "office/OfficeUno.h"
#include "office/OpenOffice.h"

#include <QFileInfo>

#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>

namespace uno = css::uno;
using namespace officetext;

namespace {

const QString passageIntro = QStringLiteral("wir hören den Predigttext: ");

// Puts the verse lines of the sermon text into the cell, each followed by a blank. True when
// they were inserted, or when the lookup found nothing to insert; false when an insertion
// failed (the lines before stay).
bool InsertSermonPassage(const uno::Reference<css::text::XText> &cell,
                         const uno::Reference<css::text::XTextCursor> &cursor,
                         const SermonDocumentInput &input)
{
    const std::optional<QStringList> &lines = input.passageLines;
    try {
        if (!lines) {
            // No passage in the offline view (the lookup has said why): the cell still tells
            // which text is preached instead of staying empty or showing a stale passage.
            insert(cell, cursor.get(), passageIntro + input.reference);
            return true;
        }
        for (qsizetype i = 1; i < lines->size(); ++i) {
            if (!trimControl(lines->at(i)).isEmpty())
                insert(cell, cursor.get(), lines->at(i) + u' ');
        }
    } catch (const uno::Exception &) {
        return false;
    }
    return true;
}

} // namespace

Result<bool> fillSermonDocument(TOpenOffice &sermonOffice, const QString &title,
                                const QString &path, const SermonDocumentInput &input,
                                const QString &greeting)
{
    if (!sermonOffice.Connected)
        return false;
    TOpenOffice *const office = &sermonOffice;

    try {
        if (QFileInfo::exists(path))
            office->OpenDocument(path);
        else
            office->NewDocument(QStringLiteral("swriter"));
        const uno::Reference<css::lang::XComponent> &document = office->Document;
        setTitle(document, title);
        const uno::Reference<css::text::XTextViewCursor> cursor = viewCursor(document);
        const uno::Reference<css::text::XText> text(cursor->getText(), uno::UNO_SET_THROW);

        setStyleName(cursor, QStringLiteral("ParaStyleName"), QStringLiteral("Heading 1"),
                     QStringLiteral("Heading 1"));
        insert(text, cursor.get(), title + QStringLiteral("\r\r"));

        const uno::Reference<css::lang::XMultiServiceFactory> serviceFactory(document,
                                                                             uno::UNO_QUERY_THROW);
        const uno::Reference<css::text::XTextTable> textTable(
            serviceFactory->createInstance(rtl::OUString("com.sun.star.text.TextTable")),
            uno::UNO_QUERY_THROW);
        textTable->initialize(5, 2);
        text->insertTextContent(cursor.get(), textTable.get(), false);

        // The notes column takes the last quarter of the width.
        const uno::Reference<css::beans::XPropertySet> tableProperties(textTable,
                                                                       uno::UNO_QUERY_THROW);
        uno::Sequence<css::text::TableColumnSeparator> separators;
        tableProperties->getPropertyValue(rtl::OUString("TableColumnSeparators")) >>= separators;
        sal_Int16 relativeSum = 0;
        tableProperties->getPropertyValue(rtl::OUString("TableColumnRelativeSum")) >>= relativeSum;
        if (separators.getLength() < 1)
            throw uno::RuntimeException(rtl::OUString("Die Tabelle hat keine Spaltengrenze."));
        separators.getArray()[0].Position = static_cast<sal_Int16>(relativeSum * 0.75);
        tableProperties->setPropertyValue(rtl::OUString("TableColumnSeparators"),
                                          uno::Any(separators));

        setProperty(cursor, QStringLiteral("ParaAdjust"), uno::Any(sal_Int16(0)));

        const uno::Reference<css::table::XCellRange> cells(textTable, uno::UNO_QUERY_THROW);
        const auto fill = [&](sal_Int32 column, sal_Int32 row, const auto &content) {
            const uno::Reference<css::text::XText> cellText(cells->getCellByPosition(column, row),
                                                            uno::UNO_QUERY_THROW);
            const uno::Reference<css::text::XTextCursor> cellCursor(cellText->createTextCursor(),
                                                                    uno::UNO_SET_THROW);
            content(cellText, cellCursor);
        };
        const auto plain = [](const QString &string) {
            return [string](const uno::Reference<css::text::XText> &cell,
                            const uno::Reference<css::text::XTextCursor> &cellCursor) {
                insert(cell, cellCursor.get(), string);
            };
        };
        fill(0, 0, plain(QStringLiteral("Predigttext")));
        fill(1, 0, plain(QStringLiteral("Notizen")));
        fill(0, 1, plain(greeting));
        fill(1, 1, plain(QStringLiteral("Kanzelgruß")));
        fill(0, 2,
             [&](const uno::Reference<css::text::XText> &cell,
                 const uno::Reference<css::text::XTextCursor> &cellCursor) {
                 if (!InsertSermonPassage(cell, cellCursor, input))
                     insert(cell, cellCursor.get(), passageIntro + input.reference);
             });
        fill(1, 2, plain(QStringLiteral("<--\tlesen\r\t(") + input.reference + u')'));
        fill(0, 4,
             plain(QStringLiteral("Der Friede Gottes, welcher höher ist als alle Vernunft, bewahre "
                                  "eure Herzen und Sinne in Christus Jesus. Amen.")));
        fill(1, 4, plain(QStringLiteral("Kanzelsegen")));

        uno::Reference<css::frame::XStorable>(document, uno::UNO_QUERY_THROW)->store();
    } catch (const uno::Exception &error) {
        return Failure { unoErrorText(error) };
    }
    return true;
}
