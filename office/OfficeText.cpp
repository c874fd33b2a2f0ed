#include "office/OfficeText.h"

#include "office/OpenOffice.h"

#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

namespace uno = css::uno;

namespace officetext {

void insert(const uno::Reference<css::text::XText> &text,
            const uno::Reference<css::text::XTextRange> &cursor, const QString &string)
{
    if (!text.is())
        throw uno::RuntimeException(rtl::OUString("Kein Text zum Einfügen"));
    text->insertString(cursor, toOUString(string), false);
}

void setProperty(const uno::Reference<uno::XInterface> &object, const QString &name,
                 const uno::Any &value)
{
    const uno::Reference<css::beans::XPropertySet> properties(object, uno::UNO_QUERY_THROW);
    properties->setPropertyValue(toOUString(name), value);
}

void setStyleName(const uno::Reference<uno::XInterface> &object, const QString &property,
                  const QString &name, const QString &programmaticName)
{
    try {
        setProperty(object, property, uno::Any(toOUString(name)));
    } catch (const css::lang::IllegalArgumentException &) {
        setProperty(object, property, uno::Any(toOUString(programmaticName)));
    }
}

void setTitle(const uno::Reference<css::lang::XComponent> &document, const QString &title)
{
    const uno::Reference<css::document::XDocumentPropertiesSupplier> supplier(document,
                                                                              uno::UNO_QUERY_THROW);
    const uno::Reference<css::document::XDocumentProperties> properties(
        supplier->getDocumentProperties(), uno::UNO_SET_THROW);
    properties->setTitle(toOUString(title));
}

uno::Reference<css::text::XTextViewCursor>
viewCursor(const uno::Reference<css::lang::XComponent> &document)
{
    const uno::Reference<css::frame::XModel> model(document, uno::UNO_QUERY_THROW);
    const uno::Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(),
                                                                      uno::UNO_QUERY_THROW);
    return uno::Reference<css::text::XTextViewCursor>(supplier->getViewCursor(),
                                                      uno::UNO_SET_THROW);
}

} // namespace officetext
