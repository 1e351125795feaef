#include <gtest/gtest.h>

#include <string>

#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "map/CMap.h"
#include "screen/MapDraw.h"

namespace {

// The battle screen draws the largest battlefield's map space from window point (50, 50).
constexpr int kOrigin = 50;

struct Rgb {
  int r, g, b;
};

Rgb PixelAt(int x, int y) {
  unsigned char rgba[4] = {};
  glFinish();
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2]};
}

// Window point of the centre of cell (x, y), moved by (dx, dy) pixels.
Rgb CellPixel(int x, int y, int dx = 0, int dy = 0) { return PixelAt(kOrigin + 32 * x + dx, kOrigin + 32 * y + dy); }

bool LoadText(CMap& map, const std::string& text) {
  return map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

void BeginFrame() {
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPushMatrix();
  glTranslatef(kOrigin, kOrigin, 0.0f);
}

void EndFrame() {
  glPopMatrix();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

// The tile sprites 2 and 3 are replaced, for this test only, by one red and
// one blue 32 x 32 sprite of a texture of its own; the table keeps its size.
TEST(MapDrawTest, EachCellShowsTheSpriteOfItsTileAtItsPlace) {
  const unsigned char texels[8] = {255, 0, 0, 255, 0, 0, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  SpriteTable& sprites = GetSprites();
  if (sprites.size() < 4) sprites.resize(4, Sprite{0, 0, 0, 0, 0, 0, 0, false});
  const Sprite saved[2] = {sprites[2], sprites[3]};
  sprites[2] = Sprite{0.25f, 0.25f, 0.5f, 0.5f, 16.0f, 16.0f, texture, false};  // open ground: red
  sprites[3] = Sprite{0.75f, 0.75f, 0.5f, 0.5f, 16.0f, 16.0f, texture, false};  // wall: blue

  CMap map;
  ASSERT_TRUE(LoadText(map, "#..\n.#.\n"));
  BeginFrame();
  glEnable(GL_TEXTURE_2D);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);  // DrawMapTiles sets its own colour: opaque white
  DrawMapTiles(map);
  EndFrame();
  sprites[2] = saved[0];
  sprites[3] = saved[1];
  glDeleteTextures(1, &texture);

  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const bool wall = map.IsWall(x, y);
      for (int corner : {-15, 15}) {
        const Rgb p = CellPixel(x, y, corner, -corner);
        EXPECT_EQ(p.r, wall ? 0 : 255) << x << "," << y;
        EXPECT_EQ(p.b, wall ? 255 : 0) << x << "," << y;
        EXPECT_EQ(p.g, 0) << x << "," << y;
      }
    }
  }
  const Rgb outside = CellPixel(3, 0);
  EXPECT_EQ(outside.r + outside.g + outside.b, 3 * 255);
}

TEST(MapDrawTest, FogDarkensTheCellsTheTeamDoesNotSee) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "....\n....\n....\n"));
  map.SetVisible(1, 1, 0, 1);
  map.SetVisible(3, 0, 0, 1);
  map.SetVisible(0, 2, 1, 1);  // the other team's view changes nothing
  BeginFrame();
  DrawMapFog(map, 0);
  EndFrame();
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool seen = map.GetVisible(x, y, 0) != 0;
      // The square covers the whole cell, corners included, and no more.
      for (int corner : {-16, 15}) {
        const Rgb p = CellPixel(x, y, corner, corner);
        EXPECT_NEAR(p.r, seen ? 255 : 128, 2) << x << "," << y;
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
      }
    }
  }
  // Nothing beyond the grid.
  EXPECT_EQ(CellPixel(4, 0).r, 255);
  EXPECT_EQ(CellPixel(0, 3).r, 255);

  CMap empty;
  BeginFrame();
  DrawMapFog(empty, 1);  // no grid: nothing drawn
  DrawMapTiles(empty);
  EndFrame();
  EXPECT_EQ(CellPixel(0, 0).r, 255);
}
