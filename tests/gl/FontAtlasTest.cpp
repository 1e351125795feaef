#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "FontTestSupport.h"
#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"

namespace {

class FontAtlasTest : public DejaVuFontTest {
 protected:
  void SetUp() override { ASSERT_NE(s_font, nullptr) << "DejaVu Sans did not load"; }

  // The glyph's atlas place in texels.
  static int PlaceX(const Glyph& g) { return static_cast<int>(std::lround(g.u * static_cast<float>(s_font->GetAtlasSize()))); }
  static int PlaceY(const Glyph& g) { return static_cast<int>(std::lround(g.v * static_cast<float>(s_font->GetAtlasSize()))); }
};

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

}  // namespace

TEST_F(FontAtlasTest, TwentyFourPointsAreTwentyFourPixelsPerEm) {
  EXPECT_TRUE(s_font->IsValid());
  const FT_Size_Metrics& metrics = s_font->GetFace()->size->metrics;
  EXPECT_EQ(metrics.x_ppem, 24);
  EXPECT_EQ(metrics.y_ppem, 24);
  // The ascent of DejaVu Sans is about 0.93 em.
  EXPECT_NEAR(static_cast<double>(metrics.ascender) / 64.0, 24 * 0.93, 1.5);
}

TEST_F(FontAtlasTest, TheAtlasIsOneSquarePowerOfTwoAlphaTexture) {
  const int side = s_font->GetAtlasSize();
  EXPECT_TRUE(IsPowerOfTwo(side)) << side;
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  EXPECT_LE(side, maxSide);
  glBindTexture(GL_TEXTURE_2D, s_font->GetTexture());
  GLint width = 0;
  GLint height = 0;
  GLint format = 0;
  GLint alphaBits = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
  EXPECT_EQ(width, side);
  EXPECT_EQ(height, side);
  EXPECT_EQ(format, GL_ALPHA8);
  EXPECT_EQ(alphaBits, 8);
  GLint minFilter = 0;
  GLint magFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(minFilter, GL_NEAREST);
  EXPECT_EQ(magFilter, GL_LINEAR);
}

TEST_F(FontAtlasTest, GlyphsAreStoredUpsideDownWithTheirFreeTypeMetrics) {
  const ReferenceFace reference;
  const std::vector<std::uint8_t> atlas = ReadAtlas(*s_font);
  const int side = s_font->GetAtlasSize();
  // 'g' reaches below the baseline, 0xE9 is Latin-1 'e' with an acute accent.
  for (std::uint32_t code : {std::uint32_t{'A'}, std::uint32_t{'g'}, std::uint32_t{0xE9}, std::uint32_t{0x416}}) {
    SCOPED_TRACE(code);
    const ReferenceGlyph expected = reference.Render(code);
    const Glyph& g = s_font->GetGlyph(code);
    ASSERT_GT(expected.width, 0);
    EXPECT_FLOAT_EQ(g.width, static_cast<float>(expected.width));
    EXPECT_FLOAT_EQ(g.height, static_cast<float>(expected.rows));
    EXPECT_EQ(g.left, expected.left);
    EXPECT_EQ(g.top, expected.top);
    EXPECT_EQ(g.advanceX, expected.advanceX);
    EXPECT_EQ(g.advanceY, 0);
    const int x = PlaceX(g);
    const int y = PlaceY(g);
    // u and v are exact texel positions.
    EXPECT_FLOAT_EQ(g.u * static_cast<float>(side), static_cast<float>(x));
    EXPECT_FLOAT_EQ(g.v * static_cast<float>(side), static_cast<float>(y));
    ASSERT_LE(x + expected.width, side);
    ASSERT_LE(y + expected.rows, side);
    int mismatches = 0;
    for (int row = 0; row < expected.rows; ++row)
      for (int col = 0; col < expected.width; ++col)
        mismatches += atlas[static_cast<std::size_t>(y + row) * side + static_cast<std::size_t>(x + col)] !=
                      expected.At(col, expected.rows - 1 - row);
    EXPECT_EQ(mismatches, 0);
  }
}

TEST_F(FontAtlasTest, EveryGlyphHasItsOwnPlaceInsideTheBorder) {
  const ReferenceFace reference;
  const int side = s_font->GetAtlasSize();
  const std::vector<std::uint8_t> atlas = ReadAtlas(*s_font);
  // Mark every texel a glyph, with its one-texel gap to the right and below,
  // takes; no texel may be taken twice, and none lies on the border.
  std::vector<std::uint8_t> taken(static_cast<std::size_t>(side) * side, 0);
  int glyphs = 0;
  int overlaps = 0;
  for (std::uint32_t code : reference.CharacterCodes()) {
    if (code >= CTextureFont::mc_numGlyphs) continue;
    const Glyph& g = s_font->GetGlyph(code);
    if (g.advanceX == 0 && g.width == 0) continue;  // a glyph FreeType did not render
    ++glyphs;
    const int x = PlaceX(g);
    const int y = PlaceY(g);
    const int w = static_cast<int>(g.width);
    const int h = static_cast<int>(g.height);
    EXPECT_GE(x, 1) << code;
    EXPECT_GE(y, 1) << code;
    ASSERT_LE(x + w, side) << code;
    ASSERT_LE(y + h, side) << code;
    for (int row = y; row < std::min(y + h + 1, side); ++row)
      for (int col = x; col < std::min(x + w + 1, side); ++col) overlaps += taken[static_cast<std::size_t>(row) * side + col]++ != 0;
  }
  EXPECT_EQ(overlaps, 0);
  EXPECT_GT(glyphs, 3000);
  // Nothing but glyphs is drawn into the atlas: every texel with coverage is taken.
  int stray = 0;
  for (std::size_t i = 0; i < atlas.size(); ++i) stray += atlas[i] != 0 && !taken[i];
  EXPECT_EQ(stray, 0);
  for (int i = 0; i < side; ++i) {
    EXPECT_EQ(atlas[static_cast<std::size_t>(i)], 0) << "top border, column " << i;
    EXPECT_EQ(atlas[static_cast<std::size_t>(i) * side], 0) << "left border, row " << i;
  }
}

TEST_F(FontAtlasTest, CharactersTheFontLacksHaveEmptyGlyphs) {
  // DejaVu Sans has no control characters and nothing in the private use area.
  for (std::uint32_t code : {0x01u, 0x1Fu, 0xE000u, 0xFFFFu}) {
    const Glyph& g = s_font->GetGlyph(code);
    EXPECT_EQ(g.advanceX, 0) << code;
    EXPECT_FLOAT_EQ(g.width, 0.0f) << code;
    EXPECT_FLOAT_EQ(g.u, 0.0f) << code;
  }
  // The space is a blank with an advance.
  EXPECT_FLOAT_EQ(s_font->GetGlyph(' ').width, 0.0f);
  EXPECT_GT(s_font->GetGlyph(' ').advanceX, 0);
}
