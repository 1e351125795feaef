#pragma once

#include <string>
#include <vector>

struct SDL_Surface;

// One entry of the sprite list while the atlas is built.
struct SpriteImage {
  std::string path;               // image file, as written in the list
  SDL_Surface* surface = nullptr; // the loaded image; null when not loaded or already copied
  int x = 0;                      // placement in the atlas, 0 until placed
  int y = 0;
  int width = 0;                  // image size; swapped when placed turned
  int height = 0;
  bool turned = false;            // placed a quarter turn clockwise
};

// A free area of the atlas.
struct FreeRect {
  int x, y, width, height;
};

// Biggest atlas side the packing may reach.
constexpr int kMaxAtlasSide = 1024;

// Places every image that has a surface into the free rectangles, largest
// first, each into the free rectangle that keeps the atlas smallest; returns
// the atlas side reached. Sorts `images` by their larger side (stable), which
// is the order that gives the sprite ids. Images that fit nowhere stay at (0, 0).
int PackSprites(std::vector<SpriteImage>& images, std::vector<FreeRect>& freeRects);

// Puts the image at the free rectangle's corner, turned if it only fits that
// way, and appends the two rectangles left beside and below it (with a
// one-pixel gap) to the free list.
void SplitSpriteRect(const FreeRect& rect, SpriteImage& image, std::vector<FreeRect>& freeRects);
