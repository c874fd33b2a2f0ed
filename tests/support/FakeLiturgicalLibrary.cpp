#include "tests/support/FakeLiturgicalLibrary.h"

#include "libpergol/pergol.h"

#include <deque>

namespace fakelibrary {

std::vector<std::string> calls;
std::map<std::string, std::string> colours;
std::string defaultColour = "32768";

namespace {

// Results stay valid for the life of the process, as the real library's do.
const char *keep(std::string text)
{
    static std::deque<std::string> results;
    results.push_back(std::move(text));
    return results.back().c_str();
}

const char *answer(const std::string &function, const char *name)
{
    const std::string call = function + ':' + name;
    calls.push_back(call);
    return keep(call);
}

} // namespace

void reset()
{
    calls.clear();
    colours.clear();
    defaultColour = "32768";
}

} // namespace fakelibrary

extern "C" {

const char *getFarbe(const char *name)
{
    fakelibrary::calls.push_back(std::string("getFarbe:") + name);
    const auto it = fakelibrary::colours.find(name);
    return fakelibrary::keep(it != fakelibrary::colours.end() ? it->second
                                                              : fakelibrary::defaultColour);
}
const char *getVers(const char *name)
{
    return fakelibrary::answer("getVers", name);
}
const char *getPsalm(const char *name)
{
    return fakelibrary::answer("getPsalm", name);
}
const char *getWochenlied(const char *name)
{
    return fakelibrary::answer("getWochenlied", name);
}
const char *getEpistel(const char *name)
{
    return fakelibrary::answer("getEpistel", name);
}
const char *getEvangelium(const char *name)
{
    return fakelibrary::answer("getEvangelium", name);
}
const char *getPerikope(const char *name, int series)
{
    return fakelibrary::answer("getPerikope" + std::to_string(series), name);
}
const char *getATLesung(const char *name)
{
    return fakelibrary::answer("getATLesung", name);
}
}
