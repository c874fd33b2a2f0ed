#pragma once

#include <QString>

#include <optional>

// The help text that the status bar shows while the mouse moves over a control (or, for the
// two combo boxes, when they receive the focus). std::nullopt: the control has no help text
// and leaves the status bar as it is; an empty string clears it.
std::optional<QString> statusHelpText(const QString &objectName);
