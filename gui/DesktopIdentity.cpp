#include "gui/DesktopIdentity.h"

namespace desktopidentity {

QIcon programIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/%1/pergolan.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace desktopidentity
