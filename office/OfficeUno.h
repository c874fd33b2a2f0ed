#pragma once

// The work the office plugin does through UNO, behind the OfficeBridge interface.

#include "base/Result.h"
#include "office/OrderExport.h"
#include "office/ParagraphExport.h"
#include "office/SermonDocument.h"

#include <QString>

class TOpenOffice;

// ExportOrder's work once the plugin is loaded.
Result<bool> exportOrderWithUno(const QString &dayName, const OrderExportInput &input);

// ExportParagraphs' work once the plugin is loaded.
Result<bool> exportParagraphsWithUno(const ParagraphExportInput &input);

// CreateSermonDocument's work in the connected office, with the pulpit greeting given.
Result<bool> fillSermonDocument(TOpenOffice &office, const QString &title, const QString &path,
                                const SermonDocumentInput &input, const QString &greeting);
