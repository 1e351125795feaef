#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FontTestSupport.h"
#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"

namespace {

class TextDrawTest : public DejaVuFontTest {
 protected:
  void SetUp() override { ASSERT_NE(s_font, nullptr) << "DejaVu Sans did not load"; }
};

// Where the text's baseline starts in the window, and the window area read back.
constexpr int kOriginX = 100;
constexpr int kOriginY = 200;
constexpr int kAreaX = 80;
constexpr int kAreaY = 160;
constexpr int kAreaWidth = 240;
constexpr int kAreaHeight = 80;

// Draws the text in white over black with alpha blending, as the game draws
// its text, and returns the red channel of the area around it (bottom row first).
std::vector<std::uint8_t> RenderText(const CTextureFont& font, const char* text) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(static_cast<float>(kOriginX), static_cast<float>(kOriginY), 0.0f);
  font.Draw(text);
  glPopMatrix();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glFinish();
  std::vector<std::uint8_t> red(static_cast<std::size_t>(kAreaWidth) * kAreaHeight);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(kAreaX, kAreaY, kAreaWidth, kAreaHeight, GL_RED, GL_UNSIGNED_BYTE, red.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return red;
}

// The same text composed from FreeType's own bitmaps, pen advanced by the
// plain advances: what the window should show.
std::vector<float> ExpectedText(const ReferenceFace& reference, const std::string& text) {
  std::vector<float> picture(static_cast<std::size_t>(kAreaWidth) * kAreaHeight, 0.0f);
  int pen = 0;
  for (unsigned char c : text) {
    const ReferenceGlyph g = reference.Render(c);
    for (int row = 0; row < g.rows; ++row) {
      for (int col = 0; col < g.width; ++col) {
        const int x = kOriginX + pen + g.left + col - kAreaX;
        const int y = kOriginY + g.top - 1 - row - kAreaY;  // bitmap rows run downward
        if (x < 0 || y < 0 || x >= kAreaWidth || y >= kAreaHeight) continue;
        float& dst = picture[static_cast<std::size_t>(y) * kAreaWidth + x];
        const float alpha = g.At(col, row) / 255.0f;
        dst = alpha + (1.0f - alpha) * dst;
      }
    }
    pen += g.advanceX;
  }
  return picture;
}

int CountLit(const std::vector<std::uint8_t>& picture) {
  return static_cast<int>(std::count_if(picture.begin(), picture.end(), [](std::uint8_t v) { return v != 0; }));
}

}  // namespace

TEST_F(TextDrawTest, DrawShowsEachCharacterUprightAtThePlainAdvances) {
  const ReferenceFace reference;
  for (const std::string text : {"A", "AVg", "\xC9t\xE9", "Wo\xDF"}) {
    SCOPED_TRACE(text);
    const std::vector<std::uint8_t> shown = RenderText(*s_font, text.c_str());
    const std::vector<float> expected = ExpectedText(reference, text);
    int worst = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
      worst = std::max(worst, std::abs(static_cast<int>(shown[i]) - static_cast<int>(std::lround(expected[i] * 255.0f))));
    EXPECT_LE(worst, 2);
    EXPECT_GT(CountLit(shown), 50);
  }
}

TEST_F(TextDrawTest, AnEmptyStringBindsTheAtlasAndDrawsNothing) {
  glBindTexture(GL_TEXTURE_2D, 0);
  const std::vector<std::uint8_t> shown = RenderText(*s_font, "");
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<std::uint32_t>(bound), s_font->GetTexture());
  EXPECT_EQ(CountLit(shown), 0);
  std::vector<TextVertex> vertices;
  s_font->LayOut("", vertices);
  EXPECT_TRUE(vertices.empty());
}

TEST_F(TextDrawTest, LayOutGivesOneQuadPerByteWithoutKerning) {
  const ReferenceFace reference;
  // The font kerns "AV"; the text must not.
  ASSERT_NE(reference.Kerning('A', 'V'), 0);
  // A byte past 127 is its Latin-1 character: 0xE9 is U+00E9, an unsigned
  // index into the glyph table.
  const std::string text = "AV\xE9!";
  std::vector<TextVertex> vertices;
  s_font->LayOut(text.c_str(), vertices);
  ASSERT_EQ(vertices.size(), 4 * text.size());
  const float side = static_cast<float>(s_font->GetAtlasSize());
  int pen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char code = static_cast<unsigned char>(text[i]);
    SCOPED_TRACE(code);
    const ReferenceGlyph expected = reference.Render(code);
    const Glyph& g = s_font->GetGlyph(code);
    const float left = static_cast<float>(pen + expected.left);
    const float right = left + static_cast<float>(expected.width);
    const float top = static_cast<float>(expected.top);
    const float bottom = top - static_cast<float>(expected.rows);
    const float u1 = g.u + static_cast<float>(expected.width) / side;
    const float v1 = g.v + static_cast<float>(expected.rows) / side;
    const TextVertex* quad = &vertices[4 * i];
    const TextVertex corners[4] = {{g.u, g.v, left, bottom}, {g.u, v1, left, top}, {u1, v1, right, top}, {u1, g.v, right, bottom}};
    for (int k = 0; k < 4; ++k) {
      EXPECT_FLOAT_EQ(quad[k].s, corners[k].s) << "corner " << k;
      EXPECT_FLOAT_EQ(quad[k].t, corners[k].t) << "corner " << k;
      EXPECT_FLOAT_EQ(quad[k].x, corners[k].x) << "corner " << k;
      EXPECT_FLOAT_EQ(quad[k].y, corners[k].y) << "corner " << k;
    }
    pen += expected.advanceX;
  }
}

TEST_F(TextDrawTest, ACharacterTheFontLacksDrawsNothingAndKeepsThePen) {
  std::vector<TextVertex> vertices;
  s_font->LayOut("a\x01" "b", vertices);
  ASSERT_EQ(vertices.size(), 12u);
  // The missing character's quad is empty, at the pen.
  const float pen = static_cast<float>(s_font->GetGlyph('a').advanceX);
  for (int k = 4; k < 8; ++k) {
    EXPECT_FLOAT_EQ(vertices[k].x, pen);
    EXPECT_FLOAT_EQ(vertices[k].y, 0.0f);
  }
  // 'b' starts where it would without it.
  EXPECT_FLOAT_EQ(vertices[8].x, pen + static_cast<float>(s_font->GetGlyph('b').left));
  const std::vector<std::uint8_t> withGap = RenderText(*s_font, "a\x01" "b");
  const std::vector<std::uint8_t> without = RenderText(*s_font, "ab");
  EXPECT_EQ(withGap, without);
}
