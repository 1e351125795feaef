#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <vector>

#include "core/CLineReader.h"
#include "core/DataFiles.h"
#include "gfx/SpritePacking.h"

namespace {

// The pictures behind the sprite ids the game draws, in id order.
const char* const kSpritesById[] = {
    "Data/tank_green.png",      "Data/tank_blue.png",  "Data/tile_ground.png", "Data/tile_wall.png",
    "Data/fx_puff.png",         "Data/mark_centre.png", "Data/fx_flash.png",   "Data/mark_repair.png",
    "Data/cmd_destination.png", "Data/cmd_forward.png", "Data/cmd_turn.png",   "Data/cmd_wait.png",
    "Data/cmd_back.png",        "Data/cmd_fire.png",
};
constexpr int kSpriteCount = 14;

// The shipped sprite list loaded as the game loads it: one image per line, in
// file order, through SDL_image.
class ShippedSpritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CLineReader reader(1024);
    ASSERT_TRUE(reader.Open(kv::kSpriteListFile));
    std::string line;
    while (reader.Next(line)) {
      SpriteImage image;
      image.path = line;
      image.surface = IMG_Load(line.c_str());
      if (image.surface) {
        image.width = image.surface->w;
        image.height = image.surface->h;
      }
      m_images.push_back(image);
    }
  }
  void TearDown() override {
    for (SpriteImage& image : m_images) SDL_FreeSurface(image.surface);
  }

  // Alpha of a pixel of a loaded 32-bit image.
  static Uint8 AlphaAt(SDL_Surface* s, int x, int y) {
    Uint8 r, g, b, a;
    const Uint32 pixel = static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
    SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
    return a;
  }

  const SpriteImage& ById(int id) const { return m_images[static_cast<std::size_t>(id)]; }

  std::vector<SpriteImage> m_images;
};

}  // namespace

TEST_F(ShippedSpritesTest, EveryImageLoadsWithAlpha) {
  ASSERT_EQ(m_images.size(), static_cast<std::size_t>(kSpriteCount));
  for (const SpriteImage& image : m_images) {
    ASSERT_NE(image.surface, nullptr) << image.path << ": " << IMG_GetError();
    EXPECT_EQ(image.surface->format->BitsPerPixel, 32) << image.path;
    EXPECT_NE(image.surface->format->Amask, 0u) << image.path;
  }
}

TEST_F(ShippedSpritesTest, PackingOrderGivesTheGamesIds) {
  ASSERT_EQ(m_images.size(), static_cast<std::size_t>(kSpriteCount));
  std::vector<FreeRect> freeRects{{0, 0, kMaxAtlasSide, kMaxAtlasSide}};
  const int side = PackSprites(m_images, freeRects);
  EXPECT_LE(side, kMaxAtlasSide);
  for (int id = 0; id < kSpriteCount; ++id) {
    EXPECT_EQ(ById(id).path, kSpritesById[id]) << "sprite id " << id;
  }
  // Every image found room in the atlas: none overlaps another.
  for (std::size_t i = 0; i < m_images.size(); ++i) {
    for (std::size_t j = i + 1; j < m_images.size(); ++j) {
      const SpriteImage& a = m_images[i];
      const SpriteImage& b = m_images[j];
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << a.path << " overlaps " << b.path;
    }
  }
}

TEST_F(ShippedSpritesTest, TilesAreOneCellAndPicturesFitACell) {
  ASSERT_EQ(m_images.size(), static_cast<std::size_t>(kSpriteCount));
  for (int tile : {2, 3}) {
    EXPECT_EQ(ById(tile).width, 32) << ById(tile).path;
    EXPECT_EQ(ById(tile).height, 32) << ById(tile).path;
  }
  for (const SpriteImage& image : m_images) {
    EXPECT_LE(image.width, 32) << image.path;
    EXPECT_LE(image.height, 32) << image.path;
  }
  // Tiles cover their cell completely; every other picture lets the ground show.
  for (int id = 0; id < kSpriteCount; ++id) {
    SDL_Surface* s = ById(id).surface;
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(SDL_LockSurface(s), 0);
    int clear = 0;
    for (int y = 0; y < s->h; ++y) {
      for (int x = 0; x < s->w; ++x) clear += AlphaAt(s, x, y) < 255;
    }
    SDL_UnlockSurface(s);
    if (id == 2 || id == 3) {
      EXPECT_EQ(clear, 0) << ById(id).path;
    } else {
      EXPECT_GT(clear, s->w * s->h / 10) << ById(id).path;
    }
  }
}

TEST_F(ShippedSpritesTest, PicturesFaceTheWayTheGameTurnsThem) {
  ASSERT_EQ(m_images.size(), static_cast<std::size_t>(kSpriteCount));
  // The tanks point +x: the rightmost opaque column is the barrel, in the middle rows.
  for (int tank : {0, 1}) {
    SDL_Surface* s = ById(tank).surface;
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(SDL_LockSurface(s), 0);
    const int x = s->w - 1;
    for (int y = 0; y < s->h; ++y) {
      const bool middle = y >= s->h / 2 - 4 && y < s->h / 2 + 4;
      if (!middle) {
        EXPECT_LT(AlphaAt(s, x, y), 128) << ById(tank).path << " row " << y;
      }
    }
    EXPECT_GT(AlphaAt(s, x, s->h / 2), 128) << ById(tank).path;
    EXPECT_LT(AlphaAt(s, 0, s->h / 2), 128) << ById(tank).path << ": nothing sticks out behind";
    SDL_UnlockSurface(s);
  }
  // The turn arrow shows a right (clockwise) turn of a tank facing +x: it
  // ends at the right, pointing down the image; its lowest ink lies there.
  SDL_Surface* arrow = ById(10).surface;
  ASSERT_NE(arrow, nullptr);
  ASSERT_EQ(SDL_LockSurface(arrow), 0);
  int lowestY = -1, lowestX = -1;
  for (int y = 0; y < arrow->h; ++y) {
    for (int x = 0; x < arrow->w; ++x) {
      if (AlphaAt(arrow, x, y) > 200) {
        lowestY = y;
        lowestX = x;
      }
    }
  }
  SDL_UnlockSurface(arrow);
  EXPECT_GT(lowestY, arrow->h / 2);
  EXPECT_GT(lowestX, arrow->w / 2);
}
