// The liturgical data library: the propers of a day looked up by the day's name in the tables
// generated from perikopen.txt.
#include "libpergol/pergol.h"

#include "libpergol/PergolTables.h"

#include <cstring>

namespace {

// What an unknown name gets: no texts, and green, the colour of the ordinary Sundays.
constexpr const char *kEmpty = "";
constexpr const char *kGreen = "33587200"; // 0x02008000

// The day with the given name, or nullptr. Blanks around the name are ignored: a typed day
// entry may carry them. The table is sorted byte-wise, so a binary search finds the name in
// about seven comparisons.
const pergol::DayProper *findDay(const char *name)
{
    if (name == nullptr)
        return nullptr;
    while (*name == ' ')
        ++name;
    std::size_t length = std::strlen(name);
    while (length > 0 && name[length - 1] == ' ')
        --length;

    std::size_t low = 0;
    std::size_t high = pergol::kDayCount;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        const char *candidate = pergol::kDays[mid].name;
        int order = std::strncmp(candidate, name, length);
        if (order == 0 && candidate[length] != '\0')
            order = 1; // the candidate is longer, so it sorts after the name
        if (order == 0)
            return &pergol::kDays[mid];
        if (order < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return nullptr;
}

template<typename Field> const char *lookUp(const char *name, Field field)
{
    const pergol::DayProper *day = findDay(name);
    return day ? field(*day) : kEmpty;
}

} // namespace

extern "C" {

const char *getFarbe(const char *name)
{
    const pergol::DayProper *day = findDay(name);
    return day ? day->colour : kGreen;
}

const char *getVers(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.verse; });
}

const char *getPsalm(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.psalm; });
}

const char *getWochenlied(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.hymn; });
}

const char *getEpistel(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.epistle; });
}

const char *getEvangelium(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.gospel; });
}

const char *getPerikope(const char *name, int series)
{
    if (series < 1 || series > pergol::kSeriesCount)
        return kEmpty;
    const pergol::DayProper *day = findDay(name);
    return day ? day->series[series - 1] : kEmpty;
}

const char *getATLesung(const char *name)
{
    return lookUp(name, [](const pergol::DayProper &d) { return d.oldTestament; });
}
}
