#include "gfx/CFontManager.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/Assert.h"
#include "gfx/CTextureFont.h"

CFontManager& GetFontManager() {
  static CFontManager* manager = new CFontManager;  // never destroyed: lives until the process ends
  return *manager;
}

// A second library would orphan the first together with every face opened
// with it, so creating it twice is a programming error.
int CFontManager::Init() {
  KV_ASSERT(!m_library);
  return FT_Init_FreeType(&m_library);
}

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() { Shutdown(); }

void CFontManager::Shutdown() {
  // Faces belong to the library: the fonts close theirs before it goes.
  m_fonts.clear();
  if (m_library) FT_Done_FreeType(m_library);
  m_library = nullptr;
}

CTextureFont* CFontManager::GetFont(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_fonts.size()) return nullptr;
  return m_fonts[static_cast<std::size_t>(index)].get();
}

// Loading before Init is a programming error. A bad font file is not: it is
// left out, nothing is kept, and the game then draws no text with it
// (font 0 does not exist).
CTextureFont* CFontManager::LoadFont(const char* path, float size) {
  KV_ASSERT(m_library);
  auto font = std::make_unique<CTextureFont>(path, size, *this);
  if (!font->IsValid()) return nullptr;
  m_fonts.push_back(std::move(font));
  return m_fonts.back().get();
}
