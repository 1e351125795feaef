#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "gfx/PowerOfTwo.h"
#include "gfx/SpritePacking.h"

namespace {

// Images stand in for loaded files: packing only looks at their sizes and
// whether they loaded.
class SpritePackingTest : public ::testing::Test {
 protected:
  ~SpritePackingTest() override {
    for (SDL_Surface* s : m_surfaces) SDL_FreeSurface(s);
  }

  SpriteImage Loaded(const std::string& path, int w, int h) {
    SpriteImage image;
    image.path = path;
    image.surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    m_surfaces.push_back(image.surface);
    image.width = w;
    image.height = h;
    return image;
  }

  static SpriteImage Missing(const std::string& path) {
    SpriteImage image;
    image.path = path;
    return image;
  }

  std::vector<FreeRect> m_free{{0, 0, kMaxAtlasSide, kMaxAtlasSide}};

 private:
  std::vector<SDL_Surface*> m_surfaces;
};

const SpriteImage& ByPath(const std::vector<SpriteImage>& images, const std::string& path) {
  for (const SpriteImage& image : images)
    if (image.path == path) return image;
  throw std::runtime_error("no image " + path);
}

}  // namespace

TEST(NextPowerOfTwoTest, RoundsUpToAPowerOfTwo) {
  EXPECT_EQ(NextPowerOfTwo(0), 0u);
  EXPECT_EQ(NextPowerOfTwo(1), 1u);
  EXPECT_EQ(NextPowerOfTwo(2), 2u);
  EXPECT_EQ(NextPowerOfTwo(3), 4u);
  EXPECT_EQ(NextPowerOfTwo(32), 32u);
  EXPECT_EQ(NextPowerOfTwo(33), 64u);
  EXPECT_EQ(NextPowerOfTwo(1000), 1024u);
  EXPECT_EQ(NextPowerOfTwo(1025), 2048u);
}

TEST_F(SpritePackingTest, OneImageFillsAnAtlasOfItsOwnSize) {
  std::vector<SpriteImage> images{Loaded("a", 32, 32)};
  EXPECT_EQ(PackSprites(images, m_free), 32);
  EXPECT_EQ(images[0].x, 0);
  EXPECT_EQ(images[0].y, 0);
  EXPECT_FALSE(images[0].turned);
}

TEST_F(SpritePackingTest, TwoEqualImagesPlaceTheLaterLineFirstAndGrowTo128) {
  std::vector<SpriteImage> images{Loaded("first", 32, 32), Loaded("second", 32, 32)};
  EXPECT_EQ(PackSprites(images, m_free), 128);
  // Equal keys keep file order, so ids follow the lines.
  EXPECT_EQ(images[0].path, "first");
  EXPECT_EQ(images[1].path, "second");
  EXPECT_EQ(images[1].x, 0);
  EXPECT_EQ(images[1].y, 0);
  // Both strips cost 128; the earlier one, below the first image, wins.
  EXPECT_EQ(images[0].x, 0);
  EXPECT_EQ(images[0].y, 33);
}

TEST_F(SpritePackingTest, IdsFollowTheLargerSideNotTheFileOrder) {
  std::vector<SpriteImage> images{Loaded("wide", 64, 32), Loaded("small", 16, 16)};
  PackSprites(images, m_free);
  EXPECT_EQ(images[0].path, "small");
  EXPECT_EQ(images[1].path, "wide");
}

TEST_F(SpritePackingTest, ImagesWithoutAPictureTakeNoPlaceAndSortFirst) {
  std::vector<SpriteImage> images{Loaded("a", 32, 32), Missing("gone"), Loaded("b", 8, 8)};
  EXPECT_EQ(PackSprites(images, m_free), 64);
  EXPECT_EQ(images[0].path, "gone");
  EXPECT_EQ(images[0].x, 0);
  EXPECT_EQ(images[0].y, 0);
  EXPECT_EQ(images[1].path, "b");
  EXPECT_EQ(images[2].path, "a");
}

TEST_F(SpritePackingTest, NoImagesLeaveAnAtlasOfOnePixel) {
  std::vector<SpriteImage> images{Missing("x")};
  EXPECT_EQ(PackSprites(images, m_free), 1);
}

TEST_F(SpritePackingTest, AnImageThatFitsNowhereStaysAtTheOrigin) {
  std::vector<SpriteImage> images{Loaded("huge", 1100, 1100), Loaded("a", 32, 32)};
  EXPECT_EQ(PackSprites(images, m_free), 32);
  EXPECT_EQ(ByPath(images, "huge").x, 0);
  EXPECT_EQ(ByPath(images, "huge").y, 0);
  EXPECT_EQ(ByPath(images, "a").x, 0);
}

TEST_F(SpritePackingTest, AnImageThatFitsOnlyTurnedIsPlacedTurned) {
  m_free = {{0, 0, 64, 16}, {0, 20, 16, 64}};
  std::vector<SpriteImage> images{Loaded("tall", 10, 40)};
  PackSprites(images, m_free);
  // Both rectangles cost 64; the earlier one wins, and it takes the image only turned.
  EXPECT_TRUE(images[0].turned);
  EXPECT_EQ(images[0].x, 0);
  EXPECT_EQ(images[0].y, 0);
  EXPECT_EQ(images[0].width, 40);
  EXPECT_EQ(images[0].height, 10);
}

TEST_F(SpritePackingTest, SplitLeavesAOnePixelGapBelowAndBeside) {
  SpriteImage tall = Loaded("tall", 10, 20);
  std::vector<FreeRect> out;
  SplitSpriteRect({5, 7, 100, 50}, tall, out);
  ASSERT_EQ(out.size(), 2u);
  // Narrow image: the strip below as wide as the image, then the full-height strip beside.
  EXPECT_EQ(out[0].x, 5);  EXPECT_EQ(out[0].y, 28); EXPECT_EQ(out[0].width, 10);  EXPECT_EQ(out[0].height, 29);
  EXPECT_EQ(out[1].x, 16); EXPECT_EQ(out[1].y, 7);  EXPECT_EQ(out[1].width, 89);  EXPECT_EQ(out[1].height, 50);

  SpriteImage wide = Loaded("wide", 20, 10);
  out.clear();
  SplitSpriteRect({0, 0, 100, 50}, wide, out);
  ASSERT_EQ(out.size(), 2u);
  // Wide image: the strip beside as tall as the image, then the full-width strip below.
  EXPECT_EQ(out[0].x, 21); EXPECT_EQ(out[0].y, 0);  EXPECT_EQ(out[0].width, 79);  EXPECT_EQ(out[0].height, 10);
  EXPECT_EQ(out[1].x, 0);  EXPECT_EQ(out[1].y, 11); EXPECT_EQ(out[1].width, 100); EXPECT_EQ(out[1].height, 39);
}

TEST_F(SpritePackingTest, PlacedImagesNeverOverlapAndStayInsideTheAtlas) {
  std::vector<SpriteImage> images;
  for (int i = 0; i < 40; ++i) images.push_back(Loaded("i" + std::to_string(i), 8 + (i * 7) % 57, 8 + (i * 13) % 61));
  const int side = PackSprites(images, m_free);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const SpriteImage& a = images[i];
    EXPECT_LE(a.x + a.width, side);
    EXPECT_LE(a.y + a.height, side);
    for (std::size_t j = i + 1; j < images.size(); ++j) {
      const SpriteImage& b = images[j];
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << a.path << " overlaps " << b.path;
    }
  }
}
