#pragma once

// What the start-up probes write once their window is shown: the CPU time (user and system)
// spent since the process started, in microseconds, and its peak resident memory, in kB.
#include <sys/resource.h>

#include <cstdio>

inline void writeStartupUsage()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const long cpuMicroseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L
        + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::printf("%ld %ld\n", cpuMicroseconds, usage.ru_maxrss);
    std::fflush(stdout);
}
