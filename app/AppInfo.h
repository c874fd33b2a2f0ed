#pragma once

#include <QString>

namespace appinfo {

inline constexpr double kProgramVersion = 5.03;

inline QString title()
{
    return QStringLiteral("Pergolan");
}

} // namespace appinfo
