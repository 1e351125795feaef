#include "app/VideoDriver.h"

#include <strings.h>

#include <cctype>
#include <cstring>

namespace {

// SDL's video drivers that draw nowhere a player could see.
constexpr const char* kUnseenDrivers[] = {"offscreen", "dummy", "evdev"};

bool IsUnseen(const char* driver) {
  for (const char* unseen : kUnseenDrivers) {
    if (strcasecmp(driver, unseen) == 0) return true;
  }
  return false;
}

// Whether the comma-separated list names the driver, as SDL reads it.
bool Names(const char* list, const char* driver) {
  const std::size_t length = std::strlen(driver);
  for (const char* item = list; item;) {
    const char* comma = std::strchr(item, ',');
    const std::size_t itemLength = comma ? static_cast<std::size_t>(comma - item) : std::strlen(item);
    if (itemLength == length && strncasecmp(item, driver, length) == 0) return true;
    item = comma ? comma + 1 : nullptr;
  }
  return false;
}

}  // namespace

bool IsRefusedDriver(const char* driver, const char* requested) {
  if (!driver || !*driver) return true;
  return IsUnseen(driver) && !(requested && Names(requested, driver));
}

std::string NoWindowLine(const char* display, const std::string& libraryLines, const std::string& why) {
  std::string line = "no window can be shown ";
  line += display && *display ? "on DISPLAY \"" + std::string(display) + "\"" : "(no DISPLAY)";
  line += ": ";
  // Each library line as a clause of the game's line.
  std::size_t start = 0;
  while (start < libraryLines.size()) {
    std::size_t end = libraryLines.find('\n', start);
    if (end == std::string::npos) end = libraryLines.size();
    std::string clause = libraryLines.substr(start, end - start);
    while (!clause.empty() && (std::isspace(static_cast<unsigned char>(clause.back())) || clause.back() == '.')) {
      clause.pop_back();
    }
    if (!clause.empty()) line += clause + "; ";
    start = end + 1;
  }
  return line + why;
}
