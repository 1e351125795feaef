#include "core/TextFormat.h"

#include <cstdarg>
#include <cstdio>

const char* FormatText(char* buffer, std::size_t size, const char* format, ...) {
  if (size == 0) return buffer;
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  if (written < 0) buffer[0] = '\0';
  return buffer;
}
