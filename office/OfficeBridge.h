#pragma once

#include "base/Result.h"
#include "office/OrderExport.h"
#include "office/ParagraphExport.h"
#include "office/SermonDocument.h"

#include <QObject>
#include <QString>

#include <memory>

// What the office plugin (libpergolan_office.so in the program folder) offers: the export of
// the order and the sermon document, the only code that speaks UNO. The program knows the
// office only through this interface, so that LibreOffice's libraries are loaded the first
// time an export or a sermon document needs them and not with every start.

// An office reached for one sermon document.
class SermonSession
{
public:
    virtual ~SermonSession() = default;
    virtual bool connected() const = 0;
    // Fills the document at path (or a new one when the file is missing) as
    // CreateSermonDocument describes, with the pulpit greeting given.
    virtual Result<bool> createDocument(const QString &title, const QString &path,
                                        const SermonDocumentInput &input, const QString &greeting)
        = 0;
};

class OfficeBridge
{
public:
    virtual ~OfficeBridge() = default;
    // As ExportOrder.
    virtual Result<bool> exportOrder(const QString &dayName, const OrderExportInput &input) = 0;
    // As ExportParagraphs.
    virtual Result<bool> exportParagraphs(const ParagraphExportInput &input) = 0;
    // Connects to the office (starting it when nobody answers) for a sermon document.
    virtual std::unique_ptr<SermonSession> sermonSession() = 0;
};

#define PERGOLAN_OFFICEBRIDGE_IID "example.pergolan.OfficeBridge/1.1"
Q_DECLARE_INTERFACE(OfficeBridge, PERGOLAN_OFFICEBRIDGE_IID)

namespace officebridge {

// The file name of the plugin in the program folder.
inline constexpr char16_t kPluginFile[] = u"libpergolan_office.so";

// The loaded plugin, or the German text for the user saying what is missing and which package
// brings it.
Result<OfficeBridge *> load();

} // namespace officebridge
