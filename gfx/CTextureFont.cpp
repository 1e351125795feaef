#include "gfx/CTextureFont.h"

#include <cmath>
#include <cstddef>
#include <new>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/Assert.h"
#include "gfx/CFontManager.h"
#include "gfx/CRectPacker.h"
#include "gfx/OpenGL.h"

namespace {

// Free texels between glyphs, so that linear filtering never blends in a neighbour.
constexpr int kGlyphGap = 1;
constexpr float kFixedOne = 64.0f;  // FreeType sizes are 26.6 fixed point
constexpr float kLargestFixedSize = 1 << 30;
constexpr FT_UInt kDpi = 72;  // a point is a pixel

struct GlyphRecord : PackRect {  // one character's place in the atlas while it is built
  FT_ULong code = 0;  // character code in the face's character map
};

// Renders every character of the face's map once, to 8-bit coverage, to learn
// its bitmap size; characters FreeType cannot load or render are passed over.
std::vector<GlyphRecord> MeasureGlyphs(FT_Face face) {
  std::vector<GlyphRecord> records;
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0; code = FT_Get_Next_Char(face, code, &index)) {
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
      continue;
    GlyphRecord record;
    record.width = static_cast<std::int32_t>(face->glyph->bitmap.width);
    record.height = static_cast<std::int32_t>(face->glyph->bitmap.rows);
    record.code = code;
    records.push_back(record);
  }
  return records;
}

// Places the glyphs inside the largest texture OpenGL takes with a one-texel
// border; returns the atlas side (0: none). Glyphs without room stay at (0, 0).
int PackGlyphs(std::vector<GlyphRecord>& records) {
  CRectPacker packer;
  for (GlyphRecord& record : records) packer.AddRect(&record);
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  packer.AddFreeRect({1, 1, maxSide - 2, maxSide - 2});
  packer.Pack(kGlyphGap);
  return packer.GetSize();
}

// Bytes one row of `width` pixels takes, or 0 for modes that are not coverage.
std::size_t RowBytes(unsigned width, unsigned char pixelMode) {
  switch (pixelMode) {
    case FT_PIXEL_MODE_MONO: return (width + 7) / 8;
    case FT_PIXEL_MODE_GRAY2: return (width + 3) / 4;
    case FT_PIXEL_MODE_GRAY4: return (width + 1) / 2;
    case FT_PIXEL_MODE_GRAY: return width;
    default: return 0;
  }
}

// Coverage 0-255 of column `col` of one bitmap row.
std::uint8_t Coverage(const unsigned char* line, unsigned col, unsigned char pixelMode) {
  switch (pixelMode) {
    case FT_PIXEL_MODE_MONO: return ((line[col >> 3] >> (7 - (col & 7))) & 1) ? 255 : 0;
    case FT_PIXEL_MODE_GRAY2: return static_cast<std::uint8_t>(((line[col >> 2] >> (6 - 2 * (col & 3))) & 3) * 85);
    case FT_PIXEL_MODE_GRAY4: return static_cast<std::uint8_t>(((line[col >> 1] >> (4 - 4 * (col & 1))) & 15) * 17);
    default: return line[col];
  }
}

}  // namespace

CTextureFont::CTextureFont(const char* path, float size, const CFontManager& manager) : m_glyphs(mc_numGlyphs) {
  Build(path, size, manager.GetLibrary());
}

CTextureFont::~CTextureFont() {
  if (m_texId) glDeleteTextures(1, &m_texId);
  if (m_face) FT_Done_Face(m_face);
}

bool CTextureFont::IsValid() const { return m_atlasSize != 0 && m_texId != 0 && m_face != nullptr; }

const Glyph& CTextureFont::GetGlyph(std::uint32_t code) const {
  static const Glyph kNoGlyph{};
  return code < mc_numGlyphs ? m_glyphs[code] : kNoGlyph;
}

void CTextureFont::Build(const char* path, float size, FT_LibraryRec_* library) {
  if (!path || FT_New_Face(library, path, 0, &m_face) != 0) {
    m_face = nullptr;
    return;
  }
  // A size that is no number, or whose 26.6 value no integer holds, cannot be set.
  const float fixedSize = std::trunc(size * kFixedOne);
  if (!(std::fabs(fixedSize) <= kLargestFixedSize)) return;
  if (FT_Set_Char_Size(m_face, 0, static_cast<FT_F26Dot6>(fixedSize), kDpi, 0) != 0) return;

  std::vector<GlyphRecord> records = MeasureGlyphs(m_face);
  const int side = PackGlyphs(records);
  if (side <= 0) return;
  // A broken font can blow a glyph up to thousands of pixels and the atlas
  // up to the texture limit; without memory for it the font is left out.
  std::vector<std::uint8_t> texels;
  try {
    texels.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0);
  } catch (const std::bad_alloc&) {
    return;
  }
  for (const GlyphRecord& record : records) {
    if (record.code >= mc_numGlyphs) continue;  // no table entry: it could never be drawn
    if (FT_Load_Char(m_face, record.code, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(m_face->glyph, FT_RENDER_MODE_NORMAL) != 0)
      continue;
    AddGlyph(static_cast<std::uint32_t>(record.code), record.x, record.y, texels, side);
  }
  Upload(texels, side);
  m_atlasSize = side;
}

void CTextureFont::AddGlyph(std::uint32_t code, int x, int y, std::vector<std::uint8_t>& texels, int side) {
  const FT_GlyphSlot slot = m_face->glyph;
  CopyBitmapUpsideDown(slot->bitmap, texels.data(), side, x, y);
  Glyph& glyph = m_glyphs[code];
  glyph.u = static_cast<float>(x) / static_cast<float>(side);
  glyph.v = static_cast<float>(y) / static_cast<float>(side);
  glyph.width = static_cast<float>(slot->bitmap.width);
  glyph.height = static_cast<float>(slot->bitmap.rows);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advanceX = static_cast<std::int32_t>(slot->advance.x >> 6);
  glyph.advanceY = static_cast<std::int32_t>(slot->advance.y >> 6);
}

template <typename Emit>
void CTextureFont::ForEachVertex(const char* text, Emit&& emit) const {
  if (!text || m_atlasSize == 0) return;
  const float side = static_cast<float>(m_atlasSize);
  std::int32_t penX = 0;
  std::int32_t penY = 0;
  for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const Glyph& g = m_glyphs[*p];
    const float left = static_cast<float>(penX + g.left);
    const float right = left + g.width;
    const float top = static_cast<float>(penY + g.top);
    const float bottom = top - g.height;
    const float u1 = g.u + g.width / side;
    const float v1 = g.v + g.height / side;
    // The bitmap's bottom row is at t = v: the quad's bottom edge takes it.
    emit(TextVertex{g.u, g.v, left, bottom});
    emit(TextVertex{g.u, v1, left, top});
    emit(TextVertex{u1, v1, right, top});
    emit(TextVertex{u1, g.v, right, bottom});
    penX += g.advanceX;  // no kerning
    penY += g.advanceY;
  }
}

void CTextureFont::Draw(const char* text) const {
  KV_ASSERT(m_texId);
  glBindTexture(GL_TEXTURE_2D, m_texId);
  glBegin(GL_QUADS);
  ForEachVertex(text, [](const TextVertex& v) {
    glTexCoord2f(v.s, v.t);
    glVertex2f(v.x, v.y);
  });
  glEnd();
}

void CTextureFont::LayOut(const char* text, std::vector<TextVertex>& vertices) const {
  ForEachVertex(text, [&vertices](const TextVertex& v) { vertices.push_back(v); });
}

void CTextureFont::Upload(const std::vector<std::uint8_t>& texels, int side) {
  glGenTextures(1, &m_texId);
  glBindTexture(GL_TEXTURE_2D, m_texId);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  // Rows of one byte per texel are packed: an atlas of side 1 or 2 has rows
  // shorter than OpenGL's default alignment of 4.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, side, side, 0, GL_ALPHA, GL_UNSIGNED_BYTE, texels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

bool CTextureFont::CopyBitmapUpsideDown(const FT_Bitmap& bitmap, std::uint8_t* atlas, int side, int x, int y) {
  if (bitmap.width == 0 || bitmap.rows == 0) return true;
  const std::size_t rowBytes = RowBytes(bitmap.width, bitmap.pixel_mode);
  const long long pitch = bitmap.pitch;
  const std::size_t stride = static_cast<std::size_t>(pitch < 0 ? -pitch : pitch);
  if (rowBytes == 0 || stride < rowBytes || !bitmap.buffer || !atlas) return false;
  // The pitch steps one row down; with a negative pitch the buffer starts at the bottom row.
  const unsigned char* topRow = bitmap.buffer + (pitch < 0 ? stride * (bitmap.rows - 1) : 0);
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const long long atlasRow = static_cast<long long>(y) + row;
    if (atlasRow < 0 || atlasRow >= side) continue;
    const unsigned char* line = topRow + static_cast<long long>(bitmap.rows - row - 1) * pitch;
    std::uint8_t* out = atlas + atlasRow * side;
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const long long atlasCol = static_cast<long long>(x) + col;
      if (atlasCol >= 0 && atlasCol < side) out[atlasCol] = Coverage(line, col, bitmap.pixel_mode);
    }
  }
  return true;
}
