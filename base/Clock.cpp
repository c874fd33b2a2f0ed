#include "base/Clock.h"

namespace appclock {
namespace {

QDate &fixedToday()
{
    static QDate value;
    return value;
}

} // namespace

QDate today()
{
    return fixedToday().isValid() ? fixedToday() : QDate::currentDate();
}

void setTodayForTesting(const QDate &date)
{
    fixedToday() = date;
}

} // namespace appclock
