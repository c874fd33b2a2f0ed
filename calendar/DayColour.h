#pragma once

#include "base/Result.h"

#include <QString>

// The liturgical colour of a day as the liturgical data library gives it: a signed 32-bit
// value in the Windows colour layout 0x02BBGGRR (red in the lowest byte; the highest byte is
// a flag byte).
namespace daycolour {

constexpr int kWhite = 0x02FFFFFF; // 50331647
constexpr int kViolet = 0x02AA00AA;
constexpr int kBlack = 0x02000000;

// The library's colour text read as a decimal integer; fails when it is not one.
Result<int> parse(const QString &text);

// The colour's red, green and blue parts (0 to 255).
constexpr int red(int colour)
{
    return colour & 0xFF;
}
constexpr int green(int colour)
{
    return (colour >> 8) & 0xFF;
}
constexpr int blue(int colour)
{
    return (colour >> 16) & 0xFF;
}

// Text on the day panel is black on white and white on every other colour.
constexpr bool wantsBlackText(int colour)
{
    return colour == kWhite;
}

} // namespace daycolour
