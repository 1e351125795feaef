#pragma once

#include <cstddef>
#include <vector>

#include "gfx/SpritePacking.h"

struct SDL_Surface;

// Characters a sprite list line may have before it is cut into entries.
constexpr std::size_t kSpriteListLineBuffer = 1024;

// The picture of a listed image that does not load: a checker of magenta and
// black squares, plainly none of the game's own pictures.
constexpr int kPlaceholderSide = 32;
constexpr int kPlaceholderSquare = 8;  // side of one square of the checker

// Reads the sprite list: one entry per line, the whole line without its line
// feed taken as an image path (nothing trimmed); a line longer than 1022
// characters is cut into entries of 1023. No image is loaded yet. A list that
// cannot be opened gives no entries.
std::vector<SpriteImage> ReadSpriteList(const char* listPath);

// The placeholder picture, opaque, in the atlas's pixel layout; null if SDL
// has no memory. The caller frees it.
SDL_Surface* CreatePlaceholderImage();

// Loads the image of every entry that names one. An entry whose file does not
// load shows the placeholder (shared, not owned by the entry) at its size, so
// it keeps its place among the ids and every later picture keeps its own. A
// blank entry stays without a picture.
void LoadSpriteImages(std::vector<SpriteImage>& images, SDL_Surface* placeholder);
