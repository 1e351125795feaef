#pragma once

#include <cstdint>
#include <vector>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct FT_Bitmap_;
class CFontManager;

// Where one character's bitmap lies in the font atlas and how it sits on the
// baseline. All zero for characters the font lacks.
struct Glyph {
  float u;                // texture s of the bitmap's left edge
  float v;                // texture t of the bitmap's first atlas row (its bottom row)
  float width;            // bitmap width, pixels
  float height;           // bitmap rows, pixels
  std::int32_t left;      // bitmap's left edge relative to the pen
  std::int32_t top;       // bitmap's top row above the baseline
  std::int32_t advanceX;  // pen advance, whole pixels
  std::int32_t advanceY;  // vertical pen advance, whole pixels (0 for horizontal fonts)
};

// One corner of a character's quad as Draw emits it: texture coordinate and
// position relative to the start of the baseline.
struct TextVertex {
  float s;  // texture s in the atlas
  float t;  // texture t in the atlas
  float x;  // pixels right of the baseline's start
  float y;  // pixels above the baseline
};

// A TrueType font rasterised once at one size: every glyph of its character
// map is packed into one square power-of-two alpha texture, and a string is
// drawn as one textured quad per byte with no further FreeType work.
class CTextureFont {
 public:
  static constexpr std::uint32_t mc_numGlyphs = 65536;  // character codes the glyph table covers

  // Opens the font file with the manager's library and builds the atlas at
  // `size` points (72 dpi: one point is one pixel). Needs a current OpenGL
  // context. Check IsValid: a file that does not open leaves the font empty.
  CTextureFont(const char* path, float size, const CFontManager& manager);
  ~CTextureFont();
  CTextureFont(const CTextureFont&) = delete;
  CTextureFont& operator=(const CTextureFont&) = delete;

  // The face opened and the atlas was built with at least one glyph.
  bool IsValid() const;
  // Draws a NUL-terminated byte string, each byte a character code 0-255,
  // with the start of its baseline at the current origin, as one quad list.
  // Colour, position and blending are the caller's.
  void Draw(const char* text) const;
  // Appends the four corners of every character's quad, in the order Draw
  // emits them.
  void LayOut(const char* text, std::vector<TextVertex>& vertices) const;

  // The glyph of a character code; an all-zero glyph for codes beyond the table.
  const Glyph& GetGlyph(std::uint32_t code) const;
  int GetAtlasSize() const { return m_atlasSize; }
  std::uint32_t GetTexture() const { return m_texId; }
  FT_FaceRec_* GetFace() const { return m_face; }

  // Copies a FreeType bitmap into a square atlas of `side` x `side` coverage
  // bytes with its bottom row at atlas row y and its left column at x, so that
  // it shows upright with y growing upward. Texels outside the atlas are left
  // out. False when the bitmap's pixel mode is not one of coverage (mono,
  // 2-, 4- or 8-bit grey) or its rows are shorter than its width.
  static bool CopyBitmapUpsideDown(const FT_Bitmap_& bitmap, std::uint8_t* atlas, int side, int x, int y);

 private:
  void Build(const char* path, float size, FT_LibraryRec_* library);
  // Copies the bitmap in the face's glyph slot to (x, y) of the atlas texels
  // and fills the character's glyph.
  void AddGlyph(std::uint32_t code, int x, int y, std::vector<std::uint8_t>& texels, int side);
  void Upload(const std::vector<std::uint8_t>& texels, int side);
  template <typename Emit>
  void ForEachVertex(const char* text, Emit&& emit) const;

  int m_atlasSize = 0;          // side of the square atlas, a power of two; 0 while not built
  std::uint32_t m_texId = 0;    // OpenGL name of the atlas texture; 0 while not built
  FT_FaceRec_* m_face = nullptr;  // the open face; null when the file did not open
  std::vector<Glyph> m_glyphs;  // mc_numGlyphs glyphs indexed by character code
};
