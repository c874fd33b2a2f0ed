#pragma once

// The liturgical data library: the propers of a day by the day's name. Names and results are
// zero-terminated Windows-1252 strings; results are owned by the library and stay valid for
// the life of the process.
#ifdef __cplusplus
extern "C" {
#endif

#define PERGOL_EXPORT __attribute__((visibility("default")))

PERGOL_EXPORT const char *getFarbe(const char *name);
PERGOL_EXPORT const char *getVers(const char *name);
PERGOL_EXPORT const char *getPsalm(const char *name);
PERGOL_EXPORT const char *getWochenlied(const char *name);
PERGOL_EXPORT const char *getEpistel(const char *name);
PERGOL_EXPORT const char *getEvangelium(const char *name);
PERGOL_EXPORT const char *getPerikope(const char *name, int series);
// The Old Testament reading ("AT-Lesung"), read beside the epistle and the gospel where a
// service has three readings.
PERGOL_EXPORT const char *getATLesung(const char *name);

#ifdef __cplusplus
}
#endif
