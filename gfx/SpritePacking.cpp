#include "gfx/SpritePacking.h"

#include <algorithm>
#include <cstdint>

#include "gfx/PowerOfTwo.h"

namespace {

int Pow2(int v) { return static_cast<int>(NextPowerOfTwo(static_cast<std::uint32_t>(v))); }

// Atlas side needed to hold the image in this free rectangle; 0 if it does not fit.
int PlacementCost(const FreeRect& f, int w, int h) {
  if (w <= f.width && h <= f.height) return std::max(Pow2(f.x + w), Pow2(f.y + h));
  if (h <= f.width && w <= f.height) return std::max(Pow2(f.y + w), Pow2(f.x + h));
  return 0;
}

}  // namespace

void SplitSpriteRect(const FreeRect& rect, SpriteImage& image, std::vector<FreeRect>& freeRects) {
  image.x = rect.x;
  image.y = rect.y;
  if (image.width > rect.width || image.height > rect.height) {
    std::swap(image.width, image.height);
    image.turned = true;
  }
  const int w = image.width;
  const int h = image.height;
  if (w <= h) {
    freeRects.push_back({rect.x, rect.y + h + 1, w, rect.height - h - 1});
    freeRects.push_back({rect.x + w + 1, rect.y, rect.width - w - 1, rect.height});
  } else {
    freeRects.push_back({rect.x + w + 1, rect.y, rect.width - w - 1, h});
    freeRects.push_back({rect.x, rect.y + h + 1, rect.width, rect.height - h - 1});
  }
}

int PackSprites(std::vector<SpriteImage>& images, std::vector<FreeRect>& freeRects) {
  int size = 1;
  std::stable_sort(images.begin(), images.end(), [](const SpriteImage& a, const SpriteImage& b) {
    return std::max(a.width, a.height) < std::max(b.width, b.height);
  });
  // Free rectangles only ever shrink, so a size that found no room never
  // will: a long list of broken lines, all shown at the placeholder's size,
  // is not searched again for each of them.
  int noRoomWidth = -1, noRoomHeight = -1;
  for (auto image = images.rbegin(); image != images.rend(); ++image) {
    if (!image->surface) continue;
    if (image->width == noRoomWidth && image->height == noRoomHeight) continue;
    int bestCost = kMaxAtlasSide + 1;
    auto best = freeRects.end();
    for (auto f = freeRects.begin(); f != freeRects.end(); ++f) {
      const int cost = PlacementCost(*f, image->width, image->height);
      if (cost != 0 && cost < bestCost) {
        bestCost = cost;
        best = f;
        if (cost <= size) break;  // fits without growing the atlas
      }
    }
    if (best == freeRects.end()) {
      noRoomWidth = image->width;
      noRoomHeight = image->height;
      continue;
    }
    size = std::max(size, bestCost);
    const FreeRect chosen = *best;
    freeRects.erase(best);
    SplitSpriteRect(chosen, *image, freeRects);
  }
  return size;
}
