#include "office/ParagraphExport.h"

#include "office/OfficeBridge.h"

Result<bool> ExportParagraphs(const ParagraphExportInput &input)
{
    const Result<OfficeBridge *> bridge = officebridge::load();
    if (!bridge)
        return bridge.failure();
    return (*bridge)->exportParagraphs(input);
}
