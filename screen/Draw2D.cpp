#include "screen/Draw2D.h"

#include "core/TextFormat.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "screen/Palette.h"

namespace {

// A fitted line is formatted here: a frame allocates nothing.
char g_fitted[1024];

}  // namespace

void SetColour(const float rgba[4]) { glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]); }

void DrawText(float x, float y, const char* text) { DrawGameText(kMainFont, x, y, text); }

void DrawFitted(GameFont font, float x, float y, const char* text, float room) {
  const char* start = text;
  FormatText(g_fitted, sizeof g_fitted, "%s", start);
  while (*start && GameTextWidth(font, g_fitted) > room) {
    do {
      ++start;
    } while ((*start & 0xC0) == 0x80);  // never into the middle of a character
    FormatText(g_fitted, sizeof g_fitted, "...%s", start);
  }
  DrawGameText(font, x, y, g_fitted);
}

void DrawShadowedText(GameFont font, float x, float y, const char* text, const float rgba[4]) {
  glColor4f(palette::kShadow[0], palette::kShadow[1], palette::kShadow[2], palette::kShadow[3] * rgba[3]);
  DrawGameText(font, x + 1.0f, y - 1.0f, text);
  SetColour(rgba);
  DrawGameText(font, x, y, text);
}

void DrawOutlinedText(GameFont font, float x, float y, const char* text, const float rgba[4]) {
  glColor4f(palette::kShadow[0], palette::kShadow[1], palette::kShadow[2], palette::kShadow[3] * rgba[3]);
  for (const float dx : {-1.0f, 1.0f}) {
    for (const float dy : {-1.0f, 1.0f}) DrawGameText(font, x + dx, y + dy, text);
  }
  SetColour(rgba);
  DrawGameText(font, x, y, text);
}

void EmitQuad(float left, float bottom, float right, float top) {
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
}

void DrawQuad(float left, float bottom, float right, float top) {
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  EmitQuad(left, bottom, right, top);
  glEnd();
}

void DrawSpriteAt(SpriteId id, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  DrawSprite(GetSprite(GetSprites(), id));
  glPopMatrix();
}
