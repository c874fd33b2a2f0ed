#pragma once

// Small helpers for writing into an office text document through UNO, shared by the export
// of the order and the sermon document.

#include <QString>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/uno/Reference.hxx>

namespace officetext {

// Calls insertString on the text with the cursor, the text and false (do not absorb).
void insert(const css::uno::Reference<css::text::XText> &text,
            const css::uno::Reference<css::text::XTextRange> &cursor, const QString &string);

// Writes a property of an object (throws when the object does not have it).
void setProperty(const css::uno::Reference<css::uno::XInterface> &object, const QString &name,
                 const css::uno::Any &value);

// Writes a style name property (ParaStyleName, PageDescName). An office in another user
// interface language does not know the German display name of its own style; then the
// style's programmatic name is written instead.
void setStyleName(const css::uno::Reference<css::uno::XInterface> &object, const QString &property,
                  const QString &name, const QString &programmaticName);

// Writes the Title of the document's properties.
void setTitle(const css::uno::Reference<css::lang::XComponent> &document, const QString &title);

// The view cursor of the document's current controller.
css::uno::Reference<css::text::XTextViewCursor>
viewCursor(const css::uno::Reference<css::lang::XComponent> &document);

} // namespace officetext
