#pragma once

#include <memory>
#include <vector>

struct FT_LibraryRec_;
class CTextureFont;

// Owns the FreeType library and every font loaded with it. The game loads one
// font at start-up, font 0, and draws all its text with it.
class CFontManager {
 public:
  CFontManager();
  ~CFontManager();
  CFontManager(const CFontManager&) = delete;
  CFontManager& operator=(const CFontManager&) = delete;

  // Creates the FreeType library; returns FreeType's error code (0 on success).
  // Must not be called while a library exists.
  int Init();
  // Rasterises the font file at `size` points into a glyph atlas and keeps it
  // as the next font; null (and nothing kept) when the file does not open, the
  // size cannot be set or the font has no glyphs. Needs Init and a current
  // OpenGL context.
  CTextureFont* LoadFont(const char* path, float size);
  // The font with that load index, or null when there is none.
  CTextureFont* GetFont(int index) const;
  // Destroys every font (textures included, so the OpenGL context must still
  // exist), then the library.
  void Shutdown();

  FT_LibraryRec_* GetLibrary() const { return m_library; }

 private:
  FT_LibraryRec_* m_library = nullptr;               // FreeType library; null until Init
  std::vector<std::unique_ptr<CTextureFont>> m_fonts;  // loaded fonts; a font's index is its place
};

// The program's font manager, created on first use and never destroyed.
CFontManager& GetFontManager();
