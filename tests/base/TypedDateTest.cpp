// A date typed keystroke by keystroke: which texts may still become a date, and which date a
// complete one is.
#include "base/TypedDate.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedDate, TakesTheDateAsTyped)
{
    const struct
    {
        const char *typed;
        bool canContinue;
        QDate date; // invalid: not complete, or no day of the calendar
    } cases[] = {
        { "", true, {} },
        { "3", true, {} },
        { "31", true, {} },
        { "31.", true, {} },
        { "31.0", true, {} },
        { "31.01.", true, {} },
        { "31.01.202", true, {} },
        { "31.01.2027", true, QDate(2027, 1, 31) },
        { "1.2.2027", true, QDate(2027, 2, 1) },
        { "31012027", true, QDate(2027, 1, 31) },
        { "3101202", true, {} },
        { "31.02.2027", true, {} },
        { "29.02.2028", true, QDate(2028, 2, 29) },
        { "00.01.2027", true, {} },
        { ".", false, {} },
        { "31..", false, {} },
        { "310.1", false, {} },
        { "31.01.20270", false, {} },
        { "310120270", false, {} },
        { "31.01.27", true, {} },
        { "31-01-2027", false, {} },
    };
    for (const auto &c : cases) {
        const QString typed = QString::fromLatin1(c.typed);
        EXPECT_EQ(typeddate::canContinue(typed), c.canContinue) << c.typed;
        EXPECT_EQ(typeddate::complete(typed), c.date) << c.typed;
    }
}

} // namespace
