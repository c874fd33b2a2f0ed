// Placeholder until the real tables arrive: every name is unknown.
#include "libpergol/pergol.h"

extern "C" {
const char *getFarbe(const char *) { return "32768"; }
const char *getVers(const char *) { return ""; }
const char *getPsalm(const char *) { return ""; }
const char *getWochenlied(const char *) { return ""; }
const char *getEpistel(const char *) { return ""; }
const char *getEvangelium(const char *) { return ""; }
const char *getPerikope(const char *, int) { return ""; }
}
