// Fuzz target: the sprite list reader and the atlas packing, without OpenGL
// and without image files. The bytes are the list file; every entry that
// would load gets a surface stand-in and a size made from the first bytes of
// its path, so the packing sees every mix of sizes, including images too
// large for the atlas. The packing must keep the sprite order rules and
// place every image inside the atlas without overlap.

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gfx/SpriteList.h"
#include "gfx/SpritePacking.h"

namespace {

// Side lengths from 1 to a little more than the atlas can hold.
constexpr int kLargestSide = kMaxAtlasSide + 100;

int ByteAt(const std::string& path, std::size_t i) {
  return i < path.size() ? static_cast<unsigned char>(path[i]) : 0;
}

// What an image "loaded" from the entry looks like: an entry whose path
// starts with '!' stands for one without a picture, as an empty one is.
struct StandIn {
  bool loads;
  int width;
  int height;
};

StandIn MakeStandIn(const std::string& path) {
  if (path.empty() || path[0] == '!') return {false, 0, 0};
  const int width = 1 + (ByteAt(path, 0) * 256 + ByteAt(path, 1)) % kLargestSide;
  const int height = 1 + (ByteAt(path, 2) * 256 + ByteAt(path, 3)) % kLargestSide;
  return {true, width, height};
}

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

struct Placed {
  int x, y, width, height;
};

bool Overlap(const Placed& a, const Placed& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kvfuzz::ScratchFile scratch("sprites.dat");
  // Packing only asks whether an image has a surface; one small surface
  // stands in for every image that loads.
  static SDL_Surface* const standInSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0, 0, 0, 0);
  FUZZ_CHECK(standInSurface != nullptr);

  std::vector<SpriteImage> images = ReadSpriteList(scratch.Write(data, size).c_str());
  const std::vector<std::string> expected = kvfuzz::SplitPieces(data, size, kSpriteListLineBuffer);
  FUZZ_CHECK(images.size() == expected.size());

  // The path is not needed after this: it is replaced by the entry's line
  // number, which tells the order after the sort.
  std::vector<StandIn> standIns;
  for (std::size_t i = 0; i < images.size(); ++i) {
    FUZZ_CHECK(images[i].path == expected[i]);
    FUZZ_CHECK(images[i].surface == nullptr && images[i].x == 0 && images[i].y == 0 && !images[i].turned);
    const StandIn standIn = MakeStandIn(images[i].path);
    standIns.push_back(standIn);
    SpriteImage& image = images[i];
    image.path = std::to_string(i);
    if (!standIn.loads) continue;
    image.surface = standInSurface;
    image.width = standIn.width;
    image.height = standIn.height;
    image.x = image.y = -1;  // tells a placed image from one that found no room
  }

  std::vector<FreeRect> freeRects{{0, 0, kMaxAtlasSide, kMaxAtlasSide}};
  const int side = PackSprites(images, freeRects);
  FUZZ_CHECK(IsPowerOfTwo(side) && side <= kMaxAtlasSide);

  // The order gives the sprite ids: by the larger side, equal ones in list order.
  std::vector<Placed> placed;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const SpriteImage& image = images[i];
    const std::size_t line = std::stoul(image.path);
    FUZZ_CHECK(line < standIns.size());
    if (i > 0) {
      const SpriteImage& before = images[i - 1];
      const int key = std::max(image.width, image.height);
      const int keyBefore = std::max(before.width, before.height);
      FUZZ_CHECK(keyBefore < key || (keyBefore == key && std::stoul(before.path) < line));
    }
    const StandIn& standIn = standIns[line];
    if (!standIn.loads) {
      FUZZ_CHECK(image.surface == nullptr && image.x == 0 && image.y == 0 && !image.turned);
      continue;
    }
    if (image.turned) {
      FUZZ_CHECK(image.width == standIn.height && image.height == standIn.width);
    } else {
      FUZZ_CHECK(image.width == standIn.width && image.height == standIn.height);
    }
    if (image.x < 0 || image.y < 0) {
      // No room: the image keeps its size and its place is not set.
      FUZZ_CHECK(image.x == -1 && image.y == -1 && !image.turned);
      continue;
    }
    const Placed rect{image.x, image.y, image.width, image.height};
    FUZZ_CHECK(rect.x + rect.width <= side && rect.y + rect.height <= side);
    for (const Placed& other : placed) FUZZ_CHECK(!Overlap(rect, other));
    placed.push_back(rect);
  }
  // Until one image is placed the atlas is empty, so the first image that
  // fits an empty atlas is placed.
  const bool anyFits = std::any_of(standIns.begin(), standIns.end(), [](const StandIn& s) {
    return s.loads && std::max(s.width, s.height) <= kMaxAtlasSide;
  });
  FUZZ_CHECK(!anyFits || !placed.empty());
  return 0;
}
