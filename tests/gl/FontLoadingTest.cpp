#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "FontTestSupport.h"
#include "core/DataFiles.h"
#include "gfx/CFontManager.h"
#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"
#include "support/TempDir.h"

namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const char* path) { return std::ifstream(path).good(); }

}  // namespace

TEST(FontLoadingTest, LoadingTheSameFileTwiceGivesTwoIndependentFonts) {
  CFontManager manager;
  ASSERT_EQ(manager.Init(), 0);
  CTextureFont* first = manager.LoadFont(kDejaVuSans, 24.0f);
  CTextureFont* second = manager.LoadFont(kDejaVuSans, 24.0f);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(manager.GetFont(0), first);
  EXPECT_EQ(manager.GetFont(1), second);
  EXPECT_EQ(manager.GetFont(2), nullptr);
  EXPECT_EQ(manager.GetFont(-1), nullptr);
  EXPECT_NE(first->GetTexture(), second->GetTexture());
  EXPECT_NE(first->GetFace(), second->GetFace());
  EXPECT_EQ(first->GetAtlasSize(), second->GetAtlasSize());
  EXPECT_EQ(ReadAtlas(*first), ReadAtlas(*second));

  // Shutdown destroys both fonts with their textures.
  const GLuint textures[] = {first->GetTexture(), second->GetTexture()};
  manager.Shutdown();
  EXPECT_EQ(manager.GetFont(0), nullptr);
  EXPECT_EQ(manager.GetLibrary(), nullptr);
  EXPECT_FALSE(glIsTexture(textures[0]));
  EXPECT_FALSE(glIsTexture(textures[1]));
}

TEST(FontLoadingTest, BrokenFontFilesAreLeftOutWithoutHarm) {
  const std::string dejaVu = ReadFile(kDejaVuSans);
  ASSERT_GT(dejaVu.size(), 100000u);
  std::mt19937 random(7);
  std::string noise(50000, '\0');
  for (char& c : noise) c = static_cast<char>(random());

  TempDir dir;
  const std::vector<std::string> broken = {
      dir.File("missing.ttf"),
      dir.Write("empty.ttf", ""),
      dir.Write("noise.ttf", noise),
      // A TrueType header and nothing else.
      dir.Write("header.ttf", dejaVu.substr(0, 12)),
      dir.Write("tenth.ttf", dejaVu.substr(0, dejaVu.size() / 10)),
      dir.Write("half.ttf", dejaVu.substr(0, dejaVu.size() / 2)),
      dir.Write("most.ttf", dejaVu.substr(0, dejaVu.size() * 3 / 4)),
      dir.Path(),  // a directory
  };
  CFontManager manager;
  ASSERT_EQ(manager.Init(), 0);
  for (const std::string& path : broken) {
    SCOPED_TRACE(path);
    EXPECT_EQ(manager.LoadFont(path.c_str(), 24.0f), nullptr);
  }
  // A size that is no number cannot be set.
  EXPECT_EQ(manager.LoadFont(kDejaVuSans, std::numeric_limits<float>::quiet_NaN()), nullptr);
  EXPECT_EQ(manager.LoadFont(kDejaVuSans, std::numeric_limits<float>::infinity()), nullptr);
  EXPECT_EQ(manager.GetFont(0), nullptr);

  // The next good font is font 0.
  CTextureFont* good = manager.LoadFont(kDejaVuSans, 24.0f);
  ASSERT_NE(good, nullptr);
  EXPECT_EQ(manager.GetFont(0), good);
}

TEST(FontLoadingTest, CorruptGlyphDataNeverLeadsOutsideTheAtlas) {
  // Scrambled bytes in the middle of the file, where the glyph outlines
  // lie: FreeType refuses some glyphs and renders others into odd shapes.
  const std::string dejaVu = ReadFile(kDejaVuSans);
  ASSERT_GT(dejaVu.size(), 100000u);
  std::mt19937 random(11);
  std::string corrupt = dejaVu;
  for (int i = 0; i < 2000; ++i) {
    const std::size_t at = dejaVu.size() / 4 + random() % (dejaVu.size() / 2);
    corrupt[at] = static_cast<char>(random());
  }
  TempDir dir;
  const std::string path = dir.Write("corrupt.ttf", corrupt);
  CFontManager manager;
  ASSERT_EQ(manager.Init(), 0);
  CTextureFont* font = manager.LoadFont(path.c_str(), 24.0f);
  // The table directory is whole, so FreeType opens the face and refuses or
  // misshapes only glyphs.
  ASSERT_NE(font, nullptr);
  const float side = static_cast<float>(font->GetAtlasSize());
  for (std::uint32_t code = 0; code < CTextureFont::mc_numGlyphs; ++code) {
    const Glyph& g = font->GetGlyph(code);
    ASSERT_LE(g.u * side + g.width, side) << code;
    ASSERT_LE(g.v * side + g.height, side) << code;
  }
  std::vector<TextVertex> vertices;
  font->LayOut("Korvane \xE9\xFF", vertices);
  EXPECT_EQ(vertices.size(), 40u);
}

TEST(FontLoadingTest, TheEngineLoadsTheGameFontAsFontZeroAtTwentyFourPointsAndFontOneSmaller) {
  // The shared window of these tests was opened by the engine, which created
  // the FreeType library and loaded the game's font.
  CFontManager& fonts = GetFontManager();
  EXPECT_NE(fonts.GetLibrary(), nullptr);
  CTextureFont* font = fonts.GetFont(0);
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  const bool opens = FT_New_Face(library, kv::kFontFile, 0, &face) == 0;
  if (opens) FT_Done_Face(face);
  FT_Done_FreeType(library);
  ASSERT_EQ(font != nullptr, opens) << kv::kFontFile << (FileExists(kv::kFontFile) ? " exists" : " is missing");
  if (font) {
    EXPECT_EQ(font->GetFace()->size->metrics.y_ppem, 24);
    ASSERT_NE(fonts.GetFont(1), nullptr);
    EXPECT_LT(fonts.GetFont(1)->GetFace()->size->metrics.y_ppem, 24);
    EXPECT_EQ(fonts.GetFont(2), nullptr);
  }
}
