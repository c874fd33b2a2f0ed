#pragma once

#include <map>
#include <string>
#include <vector>

// A stand-in for the liturgical data library, linked into the main-window tests in place of
// the real one (the executable's definitions of the library's functions take precedence over the
// shared library's). It records every call with the raw Windows-1252 name and answers
// "<function>:<name>" (getPerikope: "getPerikope<series>:<name>"); getFarbe answers from
// colours, else defaultColour.
namespace fakelibrary {

extern std::vector<std::string> calls; // "getVers:Erntedank", ...
extern std::map<std::string, std::string> colours;
extern std::string defaultColour;

void reset();

} // namespace fakelibrary
