#pragma once

#include <QImage>
#include <QString>

// The page-format setting of the export: 0 portrait ("Hochformat"), 1 landscape
// ("Querformat"). It is shown only on its button, by the hint and by one of two glyphs.
namespace pageformat {

inline constexpr int kPortrait = 0;
inline constexpr int kLandscape = 1;

// The setting after one press of the button: anything but portrait becomes portrait.
int toggled(int format);

// The button's hint for a format chosen by the toggle.
QString hint(int format);

// The hint the button shows until it is first toggled.
QString startHint();

// The two 16 x 16 glyphs of the button, indexed by format: an upright sheet for portrait,
// a lying sheet for landscape, each with a few lines of text.
QImage glyph(int format);

} // namespace pageformat
