#pragma once
// The peak resident set of this process image, from VmHWM: unlike getrusage it does not
// count the parent's pages that a fork copied before exec.

#include <cstdio>
#include <cstring>

inline long peakRssKiB()
{
    long kib = -1;
    if (std::FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                kib = std::atol(line + 6);
        std::fclose(status);
    }
    return kib;
}
