#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "gfx/CFontManager.h"
#include "gfx/CTextureFont.h"

// Copying glyph bitmaps into the atlas and the misuse guards need no window.

namespace {

constexpr int kSide = 8;

FT_Bitmap MakeBitmap(unsigned width, unsigned rows, int pitch, unsigned char mode, unsigned char* buffer) {
  FT_Bitmap bitmap{};
  bitmap.width = width;
  bitmap.rows = rows;
  bitmap.pitch = pitch;
  bitmap.pixel_mode = mode;
  bitmap.num_grays = mode == FT_PIXEL_MODE_GRAY ? 256 : 2;
  bitmap.buffer = buffer;
  return bitmap;
}

std::uint8_t At(const std::vector<std::uint8_t>& atlas, int x, int y) {
  return atlas[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)];
}

int NonZero(const std::vector<std::uint8_t>& atlas) {
  int count = 0;
  for (std::uint8_t texel : atlas) count += texel != 0;
  return count;
}

}  // namespace

TEST(CTextureFontCopyTest, GreyBitmapLandsUpsideDownAtItsPlace) {
  // Two rows of three pixels, rows padded to four bytes; the top row is 1 2 3.
  unsigned char pixels[] = {1, 2, 3, 99, 4, 5, 6, 99};
  const FT_Bitmap bitmap = MakeBitmap(3, 2, 4, FT_PIXEL_MODE_GRAY, pixels);
  std::vector<std::uint8_t> atlas(kSide * kSide, 0);
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(bitmap, atlas.data(), kSide, 2, 3));
  // The bottom row comes first, at the glyph's atlas row.
  EXPECT_EQ(At(atlas, 2, 3), 4);
  EXPECT_EQ(At(atlas, 3, 3), 5);
  EXPECT_EQ(At(atlas, 4, 3), 6);
  EXPECT_EQ(At(atlas, 2, 4), 1);
  EXPECT_EQ(At(atlas, 3, 4), 2);
  EXPECT_EQ(At(atlas, 4, 4), 3);
  EXPECT_EQ(NonZero(atlas), 6);  // the padding bytes are not copied
}

TEST(CTextureFontCopyTest, NegativePitchMeansTheBufferStartsWithTheBottomRow) {
  // The same picture stored bottom row first: the top row 1 2 3 comes last.
  unsigned char pixels[] = {4, 5, 6, 99, 1, 2, 3, 99};
  const FT_Bitmap bitmap = MakeBitmap(3, 2, -4, FT_PIXEL_MODE_GRAY, pixels);
  std::vector<std::uint8_t> atlas(kSide * kSide, 0);
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(bitmap, atlas.data(), kSide, 2, 3));
  EXPECT_EQ(At(atlas, 2, 3), 4);
  EXPECT_EQ(At(atlas, 4, 3), 6);
  EXPECT_EQ(At(atlas, 2, 4), 1);
  EXPECT_EQ(At(atlas, 4, 4), 3);
  EXPECT_EQ(NonZero(atlas), 6);
}

TEST(CTextureFontCopyTest, PackedBitmapsBecomeFullCoverage) {
  std::vector<std::uint8_t> atlas(kSide * kSide, 0);
  // One-bit pixels, most significant bit first: 10 pixels take two bytes.
  unsigned char mono[] = {0b10100000, 0b01000000, 0b00000000, 0b10000000};
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(10, 2, 2, FT_PIXEL_MODE_MONO, mono), atlas.data(),
                                                 kSide, 0, 0));
  EXPECT_EQ(At(atlas, 0, 1), 255);  // top row
  EXPECT_EQ(At(atlas, 1, 1), 0);
  EXPECT_EQ(At(atlas, 2, 1), 255);
  EXPECT_EQ(At(atlas, 0, 0), 0);  // bottom row: only pixel 8, beyond the atlas
  EXPECT_EQ(NonZero(atlas), 2);

  std::vector<std::uint8_t> grey4(kSide * kSide, 0);
  unsigned char nibbles[] = {0xF1};
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(2, 1, 1, FT_PIXEL_MODE_GRAY4, nibbles), grey4.data(),
                                                 kSide, 1, 1));
  EXPECT_EQ(At(grey4, 1, 1), 255);
  EXPECT_EQ(At(grey4, 2, 1), 17);

  std::vector<std::uint8_t> grey2(kSide * kSide, 0);
  unsigned char pairs[] = {0b11100100};
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(4, 1, 1, FT_PIXEL_MODE_GRAY2, pairs), grey2.data(),
                                                 kSide, 0, 0));
  EXPECT_EQ(At(grey2, 0, 0), 255);
  EXPECT_EQ(At(grey2, 1, 0), 170);
  EXPECT_EQ(At(grey2, 2, 0), 85);
  EXPECT_EQ(At(grey2, 3, 0), 0);
}

TEST(CTextureFontCopyTest, ABitmapLargerThanTheAtlasIsCutAtItsEdges) {
  // A 4 x 4 glyph at (6, 6) of an 8 x 8 atlas: only its 2 x 2 bottom-left
  // corner is inside; nothing wraps into the next row or past the end.
  std::vector<unsigned char> pixels(16);
  for (unsigned i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(10 + i);
  std::vector<std::uint8_t> atlas(kSide * kSide, 0);
  ASSERT_TRUE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(4, 4, 4, FT_PIXEL_MODE_GRAY, pixels.data()),
                                                 atlas.data(), kSide, 6, 6));
  EXPECT_EQ(NonZero(atlas), 4);
  EXPECT_EQ(At(atlas, 6, 6), 22);  // bottom row, first column
  EXPECT_EQ(At(atlas, 7, 6), 23);
  EXPECT_EQ(At(atlas, 6, 7), 18);
  EXPECT_EQ(At(atlas, 7, 7), 19);

  // A glyph wider than the whole atlas (one that found no room stays at 0, 0).
  std::vector<unsigned char> wide(40, 7);
  std::vector<std::uint8_t> small(4, 0);
  ASSERT_TRUE(
      CTextureFont::CopyBitmapUpsideDown(MakeBitmap(20, 2, 20, FT_PIXEL_MODE_GRAY, wide.data()), small.data(), 2, 0, 0));
  EXPECT_EQ(small, std::vector<std::uint8_t>(4, 7));
}

TEST(CTextureFontCopyTest, BitmapsItCannotReadSafelyAreLeftOut) {
  std::vector<std::uint8_t> atlas(kSide * kSide, 0);
  unsigned char pixels[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  // Rows shorter than the bitmap is wide would read past the buffer's end.
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(4, 4, 3, FT_PIXEL_MODE_GRAY, pixels), atlas.data(),
                                                  kSide, 0, 0));
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(4, 4, -2, FT_PIXEL_MODE_GRAY, pixels), atlas.data(),
                                                  kSide, 0, 0));
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(9, 2, 1, FT_PIXEL_MODE_MONO, pixels), atlas.data(),
                                                  kSide, 0, 0));
  // Colour and sub-pixel bitmaps are not coverage.
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(1, 1, 4, FT_PIXEL_MODE_BGRA, pixels), atlas.data(),
                                                  kSide, 0, 0));
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(1, 1, 3, FT_PIXEL_MODE_LCD, pixels), atlas.data(),
                                                  kSide, 0, 0));
  EXPECT_FALSE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(2, 2, 2, FT_PIXEL_MODE_GRAY, nullptr), atlas.data(),
                                                  kSide, 0, 0));
  EXPECT_EQ(NonZero(atlas), 0);
  // A blank glyph has nothing to copy and is no failure.
  EXPECT_TRUE(CTextureFont::CopyBitmapUpsideDown(MakeBitmap(0, 0, 0, FT_PIXEL_MODE_GRAY, nullptr), atlas.data(),
                                                 kSide, 0, 0));
}

TEST(CTextureFontTest, AFileThatDoesNotOpenMakesAnInvalidFontThatDrawsNothing) {
  CFontManager manager;
  ASSERT_EQ(manager.Init(), 0);
  CTextureFont font("Data/no-such-font.ttf", 24.0f, manager);
  EXPECT_FALSE(font.IsValid());
  EXPECT_EQ(font.GetFace(), nullptr);
  EXPECT_EQ(font.GetTexture(), 0u);
  EXPECT_EQ(font.GetAtlasSize(), 0);
  std::vector<TextVertex> vertices;
  font.LayOut("abc", vertices);
  EXPECT_TRUE(vertices.empty());
  EXPECT_FLOAT_EQ(font.GetGlyph('a').width, 0.0f);
  EXPECT_EQ(font.GetGlyph(CTextureFont::mc_numGlyphs).advanceX, 0);
}

using CTextureFontDeathTest = ::testing::Test;

TEST_F(CTextureFontDeathTest, MisuseStopsTheProgram) {
  EXPECT_DEATH(
      {
        CFontManager manager;
        manager.Init();
        manager.Init();
      },
      "Assertion failed: !m_library, file CFontManager.cpp, line 17");
  EXPECT_DEATH(
      {
        CFontManager manager;
        manager.LoadFont("Data/no-such-font.ttf", 24.0f);
      },
      "Assertion failed: m_library, file CFontManager.cpp, line 41");
  EXPECT_DEATH(
      {
        CFontManager manager;
        manager.Init();
        CTextureFont font("Data/no-such-font.ttf", 24.0f, manager);
        font.Draw("text");
      },
      "Assertion failed: m_texId, file CTextureFont.cpp, line 167");
}

TEST(CFontManagerTest, ShutdownReleasesTheLibrarySoItCanStartAgain) {
  CFontManager manager;
  EXPECT_EQ(manager.GetLibrary(), nullptr);
  ASSERT_EQ(manager.Init(), 0);
  EXPECT_NE(manager.GetLibrary(), nullptr);
  EXPECT_EQ(manager.LoadFont("Data/no-such-font.ttf", 24.0f), nullptr);
  EXPECT_EQ(manager.GetFont(0), nullptr);
  manager.Shutdown();
  EXPECT_EQ(manager.GetLibrary(), nullptr);
  manager.Shutdown();  // a second shutdown has nothing left to do
  EXPECT_EQ(manager.Init(), 0);
}
