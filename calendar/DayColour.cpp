#include "calendar/DayColour.h"

namespace daycolour {

Result<int> parse(const QString &text)
{
    bool ok = false;
    const int colour = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return Failure { QStringLiteral("„%1“ ist keine gültige Farbangabe.").arg(text) };
    return colour;
}

} // namespace daycolour
