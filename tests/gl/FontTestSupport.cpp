#include "FontTestSupport.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"

ReferenceFace::ReferenceFace() {
  if (FT_Init_FreeType(&m_library) != 0) throw std::runtime_error("no FreeType library");
  if (FT_New_Face(m_library, kDejaVuSans, 0, &m_face) != 0 || FT_Set_Pixel_Sizes(m_face, 0, 24) != 0) {
    FT_Done_FreeType(m_library);
    throw std::runtime_error("cannot open DejaVu Sans");
  }
}

ReferenceFace::~ReferenceFace() {
  FT_Done_Face(m_face);
  FT_Done_FreeType(m_library);
}

ReferenceGlyph ReferenceFace::Render(std::uint32_t code) const {
  if (FT_Load_Char(m_face, code, FT_LOAD_RENDER) != 0) throw std::runtime_error("cannot render a glyph");
  const FT_GlyphSlot slot = m_face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0) throw std::runtime_error("unexpected bitmap");
  ReferenceGlyph glyph;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advanceX = static_cast<int>(slot->advance.x / 64);
  for (unsigned row = 0; row < bitmap.rows; ++row)
    for (unsigned col = 0; col < bitmap.width; ++col)
      glyph.coverage.push_back(bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col]);
  return glyph;
}

int ReferenceFace::Kerning(std::uint32_t leftCode, std::uint32_t rightCode) const {
  FT_Vector kerning{};
  FT_Get_Kerning(m_face, FT_Get_Char_Index(m_face, leftCode), FT_Get_Char_Index(m_face, rightCode),
                 FT_KERNING_DEFAULT, &kerning);
  return static_cast<int>(kerning.x / 64);
}

std::vector<std::uint32_t> ReferenceFace::CharacterCodes() const {
  std::vector<std::uint32_t> codes;
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(m_face, &index); index != 0; code = FT_Get_Next_Char(m_face, code, &index))
    codes.push_back(static_cast<std::uint32_t>(code));
  return codes;
}

CFontManager* DejaVuFontTest::s_manager = nullptr;
CTextureFont* DejaVuFontTest::s_font = nullptr;

void DejaVuFontTest::SetUpTestSuite() {
  s_manager = new CFontManager;
  s_manager->Init();
  s_font = s_manager->LoadFont(kDejaVuSans, 24.0f);
}

void DejaVuFontTest::TearDownTestSuite() {
  delete s_manager;  // deletes the font and its texture while the window still exists
  s_manager = nullptr;
  s_font = nullptr;
}

std::vector<std::uint8_t> ReadAtlas(const CTextureFont& font) {
  const int side = font.GetAtlasSize();
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
  glBindTexture(GL_TEXTURE_2D, font.GetTexture());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, texels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return texels;
}
