#pragma once

#include <string>

// Whether the game refuses the video driver SDL settled on: true for a driver
// that shows nothing (SDL's "offscreen", "dummy" or "evdev") unless
// `requested` (SDL_VIDEODRIVER's value, null when unset; a comma-separated
// list is read item by item, in any case) names it. A null or empty driver
// (none started) is refused too.
bool IsRefusedDriver(const char* driver, const char* requested);

// The line saying why no window can be shown, naming the display tried:
// DISPLAY's value (`display`, null or empty when unset: "no DISPLAY"), then
// what the libraries printed meanwhile (`libraryLines`, any number of lines,
// folded into one), then the game's own reason `why`.
std::string NoWindowLine(const char* display, const std::string& libraryLines, const std::string& why);
