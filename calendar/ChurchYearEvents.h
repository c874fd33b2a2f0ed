#pragma once

#include "calendar/ChurchYearCalendar.h"

#include <QList>
#include <QString>

// The events of the church-year calendar filled from the liturgical data library: for each
// Sunday and feast day of a calendar year its name and, as description, the verse of the
// week, the psalm, the Old Testament reading, the epistle, the gospel, the sermon text of the
// series in force on that date, the hymn of the week and the liturgical colour.
namespace churchyearcalendar {

QList<Event> eventsOfYear(int year);

// The liturgical colour by name ("weiß", "violett", ...); an unknown value as "#RRGGBB".
QString colourName(int colour);

// The calendar file of a year, stamped now.
QByteArray calendarOfYear(int year);

} // namespace churchyearcalendar
