#pragma once

#include <QIcon>
#include <QString>

namespace desktopidentity {

// The name of the desktop entry (without ".desktop"), which is also the program's AppStream id.
inline QString desktopFileName()
{
    return QStringLiteral("example.pergolan.Pergolan");
}

// The program's icon in every size it is drawn in.
QIcon programIcon();

} // namespace desktopidentity
