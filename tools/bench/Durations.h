#pragma once

#include <cstdio>
#include <string>

// A time as the benchmark's tables print it: seconds, milliseconds or
// microseconds, whichever reads best.
inline std::string Duration(double seconds)
{
    char text[32];
    if (seconds >= 1.0)
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    return text;
}
