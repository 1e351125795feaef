// The map's drawing, kept apart so that the rules in CMap.cpp need no window.
#include "engine/Assert.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "map/CMap.h"

namespace {

constexpr int kCellSize = 32;
constexpr int kHalfCell = kCellSize / 2;
constexpr int kOpenGroundSprite = 2;
constexpr int kWallSprite = 3;

// The tile sprites, indexed by tile code; fetched from the sprite table on the
// first draw and kept.
const Sprite* const* TileSprites() {
  static const Sprite* const sprites[2] = {GetSprite(GetSprites(), kOpenGroundSprite),
                                           GetSprite(GetSprites(), kWallSprite)};
  return sprites;
}

}  // namespace

void CMap::Draw() const {
  const Sprite* const* sprites = TileSprites();
  if (!m_tiles) return;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  for (std::uint32_t y = 0; y < m_height; ++y) {
    for (std::uint32_t x = 0; x < m_width; ++x) {
      const std::uint32_t tile = GetTile(x, y);
      glPushMatrix();
      glTranslatef(static_cast<float>(kCellSize * x), static_cast<float>(kCellSize * y), 0.0f);
      DrawSprite(sprites[tile != 0 ? 1 : 0]);
      glPopMatrix();
    }
  }
}

void CMap::DrawVisibility(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  if (!m_visible) return;
  glBindTexture(GL_TEXTURE_2D, 0);
  glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
  glBegin(GL_QUADS);
  for (std::uint32_t y = 0; y < m_height; ++y) {
    for (std::uint32_t x = 0; x < m_width; ++x) {
      if (GetVisible(x, y, team) != 0) continue;
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
