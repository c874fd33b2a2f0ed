#include "calendar/DayColour.h"

#include "base/AppError.h"

namespace daycolour {

int parse(const QString &text)
{
    bool ok = false;
    const int colour = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw AppError(QStringLiteral("„%1“ ist keine gültige Farbangabe.").arg(text));
    return colour;
}

} // namespace daycolour
