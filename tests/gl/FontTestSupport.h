#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/CFontManager.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;
class CTextureFont;

// The font every font test uses: installed with fonts-dejavu-core, it has a
// Unicode map with Latin-1, kerning pairs and glyphs beyond 65535.
inline constexpr const char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A glyph as FreeType renders it on its own, to compare the atlas against.
struct ReferenceGlyph {
  int width = 0;
  int rows = 0;
  int left = 0;
  int top = 0;
  int advanceX = 0;
  std::vector<std::uint8_t> coverage;  // width x rows bytes, top row first

  std::uint8_t At(int col, int row) const {
    return coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(col)];
  }
};

// DejaVu Sans opened with a FreeType library of its own at 24 pixels per em.
class ReferenceFace {
 public:
  ReferenceFace();
  ~ReferenceFace();
  ReferenceFace(const ReferenceFace&) = delete;
  ReferenceFace& operator=(const ReferenceFace&) = delete;

  ReferenceGlyph Render(std::uint32_t code) const;
  // Horizontal kerning between two characters, whole pixels.
  int Kerning(std::uint32_t leftCode, std::uint32_t rightCode) const;
  // Every character code of the face's map.
  std::vector<std::uint32_t> CharacterCodes() const;

 private:
  FT_LibraryRec_* m_library = nullptr;  // the reference's own library
  FT_FaceRec_* m_face = nullptr;        // DejaVu Sans at 24 pixels per em
};

// Loads DejaVu Sans at 24 points once for all tests of a suite, with a font
// manager of the suite's own.
class DejaVuFontTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  static CFontManager* s_manager;  // the suite's manager
  static CTextureFont* s_font;     // its font 0, null if loading failed
};

// The atlas texture of a font read back from OpenGL, one byte per texel.
std::vector<std::uint8_t> ReadAtlas(const CTextureFont& font);
