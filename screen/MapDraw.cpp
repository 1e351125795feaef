#include "screen/MapDraw.h"

#include <cmath>

#include "core/Assert.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteId.h"
#include "gfx/SpriteTable.h"
#include "map/CMap.h"
#include "screen/ScreenLayout.h"

namespace {

constexpr int kCellSize = ScreenLayout::mc_cellSize;
constexpr int kHalfCell = ScreenLayout::mc_halfCell;

bool IsWhole(float value) { return std::floor(value) == value; }

// Whether the current frame is unscaled and unrotated with its origin on a
// whole pixel (the window's projection maps one unit to one pixel).
bool FrameOnWholePixels() {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  return m[0] == 1.0f && m[1] == 0.0f && m[4] == 0.0f && m[5] == 1.0f && IsWhole(m[12]) && IsWhole(m[13]);
}

// Whether a tile sprite drawn on a cell centre of such a frame shows one
// texel to a pixel with the texel grid on the pixel grid: then each pixel's
// centre is the centre of one texel, and nearest sampling reads exactly the
// texel that linear filtering reads. The atlas's sprites all do, at even
// sizes. The side lengths are those of the sprite's texture.
bool SamplesTexelCentres(const Sprite& sprite, float textureWidth, float textureHeight) {
  const float texelsAcross = (sprite.u1 - sprite.u0) * textureWidth;
  const float texelsUp = (sprite.v1 - sprite.v0) * textureHeight;
  // A turned sprite lies a quarter turn round in its texture.
  const float pixelsAcross = 2.0f * (sprite.turned ? sprite.halfHeight : sprite.halfWidth);
  const float pixelsUp = 2.0f * (sprite.turned ? sprite.halfWidth : sprite.halfHeight);
  return texelsAcross == pixelsAcross && texelsUp == pixelsUp && IsWhole(sprite.halfWidth) &&
         IsWhole(sprite.halfHeight) && IsWhole(sprite.u0 * textureWidth) && IsWhole(sprite.v0 * textureHeight);
}

// Nearest sampling costs a software renderer far less than linear filtering;
// the grid takes it where the picture stays the same. Needs the tiles' one
// texture bound.
bool NearestShowsTilesExactly(const Sprite* const* sprites) {
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  for (int i = 0; i < 2; ++i) {
    if (sprites[i] && !SamplesTexelCentres(*sprites[i], static_cast<float>(width), static_cast<float>(height))) {
      return false;
    }
  }
  return FrameOnWholePixels();
}

}  // namespace

void DrawMapTiles(const CMap& map) {
  // The tile sprites, indexed by tile code: looked up on every draw, so that
  // a sprite table loaded again is drawn from.
  const Sprite* const sprites[2] = {GetSprite(GetSprites(), kSpriteGround), GetSprite(GetSprites(), kSpriteWall)};
  if (!map.HasGrid()) return;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  // The whole grid is one batch of quads, row by row, as long as the tiles
  // share a texture (the sprite table has a single atlas).
  const bool sharedTexture = !sprites[0] || !sprites[1] || sprites[0]->texture == sprites[1]->texture;
  bool nearest = false;
  GLint ownFilter = GL_LINEAR;  // the texture's magnification filter, put back afterwards
  bool batchOpen = false;
  GLuint boundTexture = 0;
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      const Sprite* sprite = sprites[map.GetTile(x, y) != 0 ? 1 : 0];
      if (!sprite) continue;
      if (!batchOpen || sprite->texture != boundTexture) {
        if (batchOpen) glEnd();
        boundTexture = sprite->texture;
        glBindTexture(GL_TEXTURE_2D, boundTexture);
        if (sharedTexture && !batchOpen && NearestShowsTilesExactly(sprites)) {
          glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &ownFilter);
          nearest = ownFilter != GL_NEAREST;
          if (nearest) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
        glBegin(GL_QUADS);
        batchOpen = true;
      }
      EmitSpriteCorners(*sprite, static_cast<float>(kCellSize * x), static_cast<float>(kCellSize * y));
    }
  }
  if (!batchOpen) return;
  glEnd();
  // The texture keeps its own filtering for every other drawing.
  if (nearest) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, ownFilter);
}

void DrawMapFog(const CMap& map, std::uint32_t team) {
  KV_ASSERT(team < CMap::mc_numTeams);
  if (!map.HasGrid()) return;
  glBindTexture(GL_TEXTURE_2D, 0);
  glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
  glBegin(GL_QUADS);
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      if (map.GetVisible(x, y, team) != 0) continue;
      const int cx = kCellSize * static_cast<int>(x);
      const int cy = kCellSize * static_cast<int>(y);
      glVertex2i(cx - kHalfCell, cy + kHalfCell);
      glVertex2i(cx - kHalfCell, cy - kHalfCell);
      glVertex2i(cx + kHalfCell, cy - kHalfCell);
      glVertex2i(cx + kHalfCell, cy + kHalfCell);
    }
  }
  glEnd();
}
