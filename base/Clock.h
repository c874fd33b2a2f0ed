#pragma once

#include <QDate>

// "Today" for everything that depends on the date, so that tests can set any day.
namespace appclock {

QDate today();

// For tests: an invalid date restores the system clock.
void setTodayForTesting(const QDate &date);

} // namespace appclock
