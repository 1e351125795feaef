#pragma once

#include <cstddef>
#include <vector>

#include "gfx/SpritePacking.h"

// Characters a sprite list line may have before it is cut into entries.
constexpr std::size_t kSpriteListLineBuffer = 1024;

// Reads the sprite list: one entry per line, the whole line without its line
// feed taken as an image path (nothing trimmed); a line longer than 1022
// characters is cut into entries of 1023. No image is loaded yet. A list that
// cannot be opened gives no entries.
std::vector<SpriteImage> ReadSpriteList(const char* listPath);
