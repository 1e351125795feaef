#include "gfx/GameFonts.h"

#include "gfx/CFontManager.h"
#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"

bool LoadGameFonts(const char* path) { return LoadGameFont(path, kMainFont) && LoadGameFont(path, kSmallFont); }

bool LoadGameFont(const char* path, GameFont font) {
  CFontManager& fonts = GetFontManager();
  // The next index is the first without a font.
  int next = 0;
  while (fonts.GetFont(next)) ++next;
  if (next != font) return false;
  return fonts.LoadFont(path, font == kMainFont ? kMainFontSize : kSmallFontSize) != nullptr;
}

void DrawGameText(GameFont font, float x, float y, const char* text) {
  const CTextureFont* loaded = GetFontManager().GetFont(font);
  if (!loaded) return;
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  loaded->Draw(text);
  glPopMatrix();
}

float GameTextWidth(GameFont font, const char* text) {
  const CTextureFont* loaded = GetFontManager().GetFont(font);
  if (!loaded) return 0.0f;
  float width = 0.0f;
  for (const char* c = text; *c; ++c) {
    width += static_cast<float>(loaded->GetGlyph(static_cast<unsigned char>(*c)).advanceX);
  }
  return width;
}
