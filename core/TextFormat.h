#pragma once

#include <cstddef>

// Formats printf-style into a caller's fixed buffer, always terminated, never
// overrunning it; text that does not fit is cut. Returns the buffer, so a
// formatted line can be handed straight to a drawing call.
const char* FormatText(char* buffer, std::size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

