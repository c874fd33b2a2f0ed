#pragma once

#include <QDate>
#include <QStringList>

// The Sundays and feast days of the church year around a date. Each line of the day list is a
// day entry "dd.mm.yyyy - Name": the date in the first ten characters, " - " in the next
// three, the day's name from the fourteenth character on. The list is in the order in which
// the operations below produce it, not sorted by date.
//
// Years handled are 1 to 9999 (the four-digit year of a day entry); an operation for a year
// outside that range, or one whose entries would leave it, adds nothing.
namespace churchyear {

// Easter Sunday of the Gregorian calendar (Gauss's rule with Lichtenberg's correction);
// between 22 March and 25 April. An invalid date for a year before 1.
QDate EasterSunday(int year);

// Appends the Drittletzter Sonntag des Kirchenjahres through the 2. Weihnachtstag of year.
void AddYearEnd(QStringList &list, int year);

// Appends the 1. Sonntag nach Weihnachten of year through Epiphanias of the next year, with
// Altjahrsabend and Neujahr (alone on its date, also when it is a Sunday).
void AddChristmastide(QStringList &list, int year);

// Appends the Sundays after Epiphany (by the order of 2018: see ChurchYear.cpp), the Sundays
// before the Passion time and the Easter cycle through the last Sunday after Trinity of year
// (the 10th followed by its second proper, the Gedenktag der Zerstörung Jerusalems, on the
// same date), inserts Erntedank and Reformationstag by date and appends Martinstag.
void AddEasterCycle(QStringList &list, int year);

// The day list for a date: the church year (or the two church years) around it.
QStringList FillDayList(const QDate &date);

// The index of the first entry (in list order) dated today or later, or -1.
int SelectComingDay(const QStringList &entries, const QDate &today);

} // namespace churchyear
