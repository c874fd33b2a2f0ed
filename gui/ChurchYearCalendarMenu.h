#pragma once

class Dialogs;
class QComboBox;

// The context-menu entry "Kirchenjahr als Kalenderdatei speichern …" of the day list: saves
// the Sundays and feast days of the chosen day's calendar year with their propers as an
// iCalendar file.
namespace churchyearmenu {

// Adds the entry to the context menu of the day selector cmbTag.
void install(QComboBox &days, Dialogs &dialogs);

// What the entry does: asks for the file through the dialogs and writes it.
void saveCalendar(const QComboBox &days, Dialogs &dialogs);

} // namespace churchyearmenu
