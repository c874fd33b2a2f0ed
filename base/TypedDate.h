#pragma once

#include <QDate>
#include <QString>

// A date as a person types it into a date field, keystroke by keystroke: "31.01.2027", with
// one-digit day or month ("1.2.2027") or without the dots ("31012027").
namespace typeddate {

// Whether the text can still become a date by typing on ("31.0", "3101", "" and "31.01.2027"
// can, "31..", "310.1" and "31.01.20270" cannot).
bool canContinue(const QString &typed);

// The date once the year is typed in full; an invalid date before that, or when the day does
// not exist ("31.02.2027").
QDate complete(const QString &typed);

} // namespace typeddate
