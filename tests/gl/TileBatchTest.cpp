// The map draws its whole grid as one batch, with nearest sampling where that
// reads exactly the texels linear filtering reads. These tests hold it to the
// picture of the plain way: each tile moved to its cell and drawn on its own
// with the atlas's linear filtering, pixel for pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/DataFiles.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "map/CMap.h"
#include "screen/MapDraw.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kOpenGroundSprite = 2;
constexpr int kWallSprite = 3;

using Pixels = std::vector<std::uint8_t>;

Pixels ReadWindow() {
  Pixels pixels(static_cast<std::size_t>(kWindowWidth) * kWindowHeight * 4);
  glFinish();
  glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Clears the window and draws as the battle screen does, from the origin
// (x, y) of the window, with texturing and alpha blending on; returns the
// window's pixels.
template <typename Draw>
Pixels DrawnAt(float x, float y, Draw&& draw) {
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glTranslatef(x, y, 0.0f);
  draw();
  const Pixels pixels = ReadWindow();
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  return pixels;
}

// Every tile on its own: moved to its cell, drawn, moved back.
void DrawTileByTile(const CMap& map) {
  const SpriteTable& sprites = GetSprites();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      glPushMatrix();
      glTranslatef(static_cast<float>(32 * x), static_cast<float>(32 * y), 0.0f);
      DrawSprite(GetSprite(sprites, map.IsWall(x, y) ? kWallSprite : kOpenGroundSprite));
      glPopMatrix();
    }
  }
}

// How many bytes of two pictures differ.
std::size_t Differences(const Pixels& a, const Pixels& b) {
  std::size_t differ = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) differ += a[i] != b[i];
  return differ + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

GLint MagnificationFilter(GLuint texture) {
  GLint filter = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  return filter;
}

bool LoadText(CMap& map, const std::string& text) {
  return map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// Puts two sprites of a 4 x 4 texture of its own in the table's tile places
// for the life of the object, then puts the table's own back. The texture's
// texels all differ, so any change of filtering shows. Each sprite takes one
// half of the texture, 2 x 4 texels.
class ReplacedTiles {
 public:
  ReplacedTiles(float halfWidth, float halfHeight, GLint magFilter = GL_LINEAR) {
    std::uint8_t texels[4 * 4 * 4];
    for (int i = 0; i < 16; ++i) {
      texels[4 * i] = static_cast<std::uint8_t>(16 * i);
      texels[4 * i + 1] = static_cast<std::uint8_t>(255 - 16 * i);
      texels[4 * i + 2] = static_cast<std::uint8_t>((i * 97) & 0xFF);
      texels[4 * i + 3] = 255;
    }
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    SpriteTable& sprites = GetSprites();
    m_saved[0] = sprites.at(kOpenGroundSprite);
    m_saved[1] = sprites.at(kWallSprite);
    // Open ground takes the left half of the texture, walls the right half.
    sprites[kOpenGroundSprite] = Sprite{0.0f, 0.5f, 0.0f, 1.0f, halfHeight, halfWidth, m_texture, false};
    sprites[kWallSprite] = Sprite{0.5f, 1.0f, 0.0f, 1.0f, halfHeight, halfWidth, m_texture, false};
  }
  ~ReplacedTiles() {
    SpriteTable& sprites = GetSprites();
    sprites[kOpenGroundSprite] = m_saved[0];
    sprites[kWallSprite] = m_saved[1];
    glDeleteTextures(1, &m_texture);
  }
  ReplacedTiles(const ReplacedTiles&) = delete;
  ReplacedTiles& operator=(const ReplacedTiles&) = delete;

  GLuint Texture() const { return m_texture; }

 private:
  GLuint m_texture = 0;  // the texture of both replacement sprites
  Sprite m_saved[2];     // the table's own tile sprites
};

}  // namespace

TEST(TileBatchTest, TheShippedBattlefieldLooksAsDrawnTileByTile) {
  const SpriteTable& sprites = GetSprites();
  ASSERT_GT(sprites.size(), static_cast<std::size_t>(kWallSprite)) << "the game's sprites did not load";
  CMap map;
  ASSERT_TRUE(map.Load(kv::kMapFile));
  const Pixels plain = DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); });
  const Pixels batched = DrawnAt(50.0f, 50.0f, [&] { DrawMapTiles(map); });
  EXPECT_EQ(Differences(plain, batched), 0u);
  // The atlas keeps linear filtering for what is drawn after the map.
  EXPECT_EQ(MagnificationFilter(sprites[kWallSprite].texture), GL_LINEAR);
}

TEST(TileBatchTest, TilesOffTheWholePixelsKeepLinearFiltering) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#.#.\n.##.\n#..#\n"));
  // Tiles 31 pixels wide have their edges on half pixels; 30 pixels wide
  // tiles drawn from a frame moved by half a pixel too. Nearest sampling
  // would show both blockier.
  {
    const ReplacedTiles tiles(15.5f, 15.5f);
    const Pixels plain = DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); });
    const Pixels batched = DrawnAt(50.0f, 50.0f, [&] { DrawMapTiles(map); });
    EXPECT_EQ(Differences(plain, batched), 0u);
    EXPECT_EQ(MagnificationFilter(tiles.Texture()), GL_LINEAR);
  }
  {
    const ReplacedTiles tiles(15.0f, 15.0f);
    const Pixels plain = DrawnAt(50.5f, 50.0f, [&] { DrawTileByTile(map); });
    const Pixels batched = DrawnAt(50.5f, 50.0f, [&] { DrawMapTiles(map); });
    EXPECT_EQ(Differences(plain, batched), 0u);
    // On whole pixels the same tiles are drawn alike too.
    EXPECT_EQ(Differences(DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); }),
                          DrawnAt(50.0f, 50.0f, [&] { DrawMapTiles(map); })),
              0u);
  }
}

TEST(TileBatchTest, TilesOfOneTexelToAPixelLookTheSameAndTheirTextureKeepsItsFilter) {
  CMap map;
  ASSERT_TRUE(LoadText(map, "#.#.\n.##.\n#..#\n"));
  // Tiles of 2 x 4 pixels show their 2 x 4 texels one to a pixel.
  for (const GLint filter : {GL_LINEAR, GL_NEAREST}) {
    const ReplacedTiles tiles(1.0f, 2.0f, filter);
    const Pixels plain = DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); });
    const Pixels batched = DrawnAt(50.0f, 50.0f, [&] { DrawMapTiles(map); });
    EXPECT_EQ(Differences(plain, batched), 0u) << filter;
    EXPECT_EQ(MagnificationFilter(tiles.Texture()), filter);
  }
}

TEST(TileBatchTest, NearestSamplingWouldChangeTilesOffTheWholePixels) {
  // The check above can fail: the same odd-sized tiles sampled nearest look
  // different from the linear filtering they get.
  CMap map;
  ASSERT_TRUE(LoadText(map, "#.#.\n.##.\n#..#\n"));
  const ReplacedTiles tiles(15.5f, 15.5f);
  const Pixels linear = DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); });
  glBindTexture(GL_TEXTURE_2D, tiles.Texture());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  const Pixels nearest = DrawnAt(50.0f, 50.0f, [&] { DrawTileByTile(map); });
  EXPECT_GT(Differences(linear, nearest), 1000u);
}
