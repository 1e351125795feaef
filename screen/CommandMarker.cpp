#include "screen/CommandMarker.h"

#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"

void DrawCommandMarker(SpriteId sprite, float x, float y, float angle, bool mirrored, float scale) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  glScalef(scale, mirrored ? -scale : scale, 1.0f);
  DrawSprite(GetSprite(GetSprites(), sprite));
  glPopMatrix();
}
