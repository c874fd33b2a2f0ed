#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Until the day list followed the order of 2018 from Epiphanias to Estomihi, it dated the
// Letzter Sonntag nach Epiphanias and the 5. and 4. Sonntag vor der Passionszeit 84, 77 and 70
// days before Easter (those on or before 6 January left out) and numbered the Sundays after
// Epiphany before them; a 1 January that is a Sunday it also named "2. Sonntag nach
// Weihnachten" beside Neujahr. Preparations are stored by day name, so one saved then for a
// date that is now named differently is found under the name the date had.
namespace churchyear {

// The names the day list gave date before, other than those it gives it now; empty unless name
// is one the day list now gives date.
QStringList FormerDayNames(const QDate &date, const QString &name);

} // namespace churchyear
