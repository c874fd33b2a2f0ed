#pragma once

#include <cstddef>

// The tables of the liturgical data library, generated at build time from perikopen.txt by
// generate_tables.cpp. Every text is a zero-terminated Windows-1252 string.
namespace pergol {

inline constexpr int kSeriesCount = 6;

struct DayProper
{
    const char *name; // the day's name as the day list spells it, or a further name of it
    const char *colour; // the liturgical colour as decimal text, layout 0x02BBGGRR
    const char *verse; // verse of the week with its reference
    const char *psalm;
    const char *hymn; // hymns of the week
    const char *epistle;
    const char *gospel;
    const char *oldTestament; // the Old Testament reading
    const char *series[kSeriesCount]; // sermon texts of the series I to VI
};

// Sorted by name, byte by byte (as strcmp compares), without duplicate names.
extern const DayProper kDays[];
extern const std::size_t kDayCount;

} // namespace pergol
