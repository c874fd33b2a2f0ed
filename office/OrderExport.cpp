#include "office/OrderExport.h"

#include "office/OfficeBridge.h"

bool opensElement(const QString &line, const QStringList &elementNames)
{
    const QString trimmed = trimControl(line);
    for (const QString &element : elementNames) {
        // An empty entry would otherwise mark every line.
        if (element.isEmpty() || element == QStringLiteral("Kyrie"))
            continue;
        if (element.size() <= trimmed.size() && trimmed.startsWith(element, Qt::CaseSensitive))
            return true;
    }
    return false;
}

Result<bool> ExportOrder(const QString &dayName, const OrderExportInput &input)
{
    const Result<OfficeBridge *> bridge = officebridge::load();
    if (!bridge)
        return bridge.failure();
    return (*bridge)->exportOrder(dayName, input);
}
