#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/OpenGL.h"
#include "gfx/SpriteList.h"
#include "gfx/SpriteTable.h"
#include "support/TempDir.h"

namespace {

// Writes a BMP of one colour; SDL_image reads BMP like any other format.
std::string WriteBmp(const TempDir& dir, const std::string& name, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
  const std::string path = dir.File(name);
  SDL_SaveBMP(s, path.c_str());
  SDL_FreeSurface(s);
  return path;
}

// Reads back the atlas texture the sprite lives in.
std::vector<Uint8> AtlasPixels(const Sprite& sprite, int& side) {
  glBindTexture(GL_TEXTURE_2D, sprite.texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
  std::vector<Uint8> pixels(static_cast<std::size_t>(side) * side * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace

TEST(SpriteAtlasTest, OneImageMakesAnAtlasOfItsSizeWithFullTextureRange) {
  TempDir dir;
  const std::string bmp = WriteBmp(dir, "a.bmp", 32, 32, 255, 0, 0);
  const std::string list = dir.Write("sprites.dat", bmp + "\n");
  SpriteTable table;
  LoadSprites(table, list.c_str());
  ASSERT_EQ(table.size(), 1u);
  const Sprite& s = table[0];
  EXPECT_FLOAT_EQ(s.u0, 0.0f);
  EXPECT_FLOAT_EQ(s.v0, 0.0f);
  EXPECT_FLOAT_EQ(s.u1, 1.0f);
  EXPECT_FLOAT_EQ(s.v1, 1.0f);
  EXPECT_FLOAT_EQ(s.halfWidth, 16.0f);
  EXPECT_FLOAT_EQ(s.halfHeight, 16.0f);
  int side = 0;
  const std::vector<Uint8> pixels = AtlasPixels(s, side);
  ASSERT_EQ(side, 32);
  // Opaque red everywhere: an image without alpha is copied fully opaque.
  EXPECT_EQ(pixels[0], 255);
  EXPECT_EQ(pixels[1], 0);
  EXPECT_EQ(pixels[3], 255);
}

TEST(SpriteAtlasTest, BlankLinesTakeNoIdAndBrokenImagesKeepTheirPlace) {
  TempDir dir;
  const std::string small = WriteBmp(dir, "small.bmp", 16, 16, 0, 255, 0);
  const std::string wide = WriteBmp(dir, "wide.bmp", 64, 32, 0, 0, 255);
  const std::string junk = dir.Write("junk.png", "\x89PNG\r\n\x1a\n truncated");
  const std::string list = dir.Write("sprites.dat", wide + "\n\n" + junk + "\r\n" + dir.File("missing.png") + "\n" + small);
  SpriteTable table;
  LoadSprites(table, list.c_str());
  ASSERT_EQ(table.size(), 4u);
  EXPECT_FLOAT_EQ(table[0].halfWidth, 8.0f);   // the 16 x 16 image sorts first
  EXPECT_FLOAT_EQ(table[2].halfWidth, kPlaceholderSide / 2.0f);  // then the two broken ones
  EXPECT_FLOAT_EQ(table[3].halfWidth, 32.0f);  // then the 64 x 32 one
  EXPECT_FLOAT_EQ(table[3].halfHeight, 16.0f);
  EXPECT_EQ(GetSprite(table, 4), nullptr);
  EXPECT_EQ(GetSprite(table, -1), nullptr);
}

TEST(SpriteAtlasTest, MissingListStillMakesAOnePixelTransparentAtlas) {
  TempDir dir;
  SpriteTable table;
  GLuint before = 0;
  glGenTextures(1, &before);
  LoadSprites(table, dir.File("none.dat").c_str());
  EXPECT_TRUE(table.empty());
  // The atlas took the next texture name and holds one transparent pixel.
  Sprite probe{};
  probe.texture = before + 1;
  int side = 0;
  const std::vector<Uint8> pixels = AtlasPixels(probe, side);
  EXPECT_EQ(side, 1);
  EXPECT_EQ(pixels[3], 0);
  DrawSprite(nullptr);  // no sprite: nothing drawn, no crash
}

// Found by the broken-data run of the game: libpng reported a PNG cut off in
// its image data on standard error ("libpng error: IDAT: CRC error"). The
// placeholder takes its place without a word.
TEST(SpriteAtlasTest, PngCutOffInItsImageDataIsReplacedSilently) {
  TempDir dir;
  std::FILE* shipped = std::fopen("Data/tank_green.png", "rb");
  ASSERT_NE(shipped, nullptr);
  std::string png(4096, '\0');
  png.resize(std::fread(&png[0], 1, png.size(), shipped));
  std::fclose(shipped);
  ASSERT_GT(png.size(), 200u);
  const std::string cut = dir.Write("cut.png", png.substr(0, png.size() / 2));
  const std::string bmp = WriteBmp(dir, "a.bmp", 8, 8, 1, 2, 3);
  const std::string list = dir.Write("sprites.dat", cut + "\n" + bmp + "\n");
  SpriteTable table;
  testing::internal::CaptureStderr();
  LoadSprites(table, list.c_str());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(table.size(), 2u);
  EXPECT_FLOAT_EQ(table[0].halfWidth, 4.0f);
}
