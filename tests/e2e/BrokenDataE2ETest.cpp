#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "e2e/GameSession.h"
#include "e2e/LinkedGameDir.h"
#include "e2e/ScreenPixels.h"
#include "gfx/SpriteList.h"

using namespace screen;

// The real program with one data file broken or missing at a time. The game
// leaves the resource out (a broken map gives way to the built-in
// battlefield) and plays on as usual; only a broken window icon stops it, at
// once, with status 1 and one line.

namespace {

std::string ReadSourceFile(const std::string& name) {
  std::ifstream file(SourceDir() + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Bytes that no image, sound or font reader takes for its format.
std::string RandomBytes(std::size_t count, std::uint32_t seed) {
  std::string bytes;
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1664525u + 1013904223u;
    bytes.push_back(static_cast<char>(state >> 24));
  }
  return bytes;
}

// How far the screen is from an opaque picture drawn upright at its own size
// centred on drawing point (cx, cy): the largest difference of any channel.
int OpaquePictureDistance(const Screenshot& shot, const Picture& picture, int cx, int cy) {
  int worst = picture.width > 0 ? 0 : 255;
  for (int i = 0; i < picture.width * picture.height; ++i) {
    const int col = i % picture.width, row = i / picture.width;
    const Pixel c = picture.At(col, row);
    const Pixel s = shot.AtGame(cx - picture.width / 2 + col, cy + picture.height / 2 - 1 - row);
    worst = std::max({worst, std::abs(s.r - c.r), std::abs(s.g - c.g), std::abs(s.b - c.b), 255 - picture.AlphaAt(col, row)});
  }
  return worst;
}

// Waits until the window shows anything but black: a frame has been drawn.
bool WaitForFirstFrame(const GameSession& game) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const Screenshot shot = game.Shoot();
    for (std::size_t i = 0; i < shot.rgb.size(); ++i) {
      if (shot.rgb[i] != 0) return true;
    }
    GameSession::Wait(100);
  }
  return false;
}

// The game in `dir` runs as usual: a frame, a game started with Return, a
// move and a shot, three turns, then Escape back to the start screen (so the
// game was in play) and Escape again to end it, with status 0 and nothing
// said on standard error but the one line expected (a battlefield that
// cannot be played names itself and its reason once). `inBattle` looks at
// the battle screen first.
void ExpectPlaysAsUsual(const LinkedGameDir& dir, const std::string& said = "",
                        const std::function<void(const GameSession&)>& inBattle = {}) {
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  ASSERT_TRUE(WaitForFirstFrame(game)) << game.Stderr();

  game.Key("Return");
  if (inBattle) inBattle(game);
  game.Key("1");
  game.Key("Up");
  game.Key("f");
  for (int turn = 0; turn < 3; ++turn) {
    game.Key("space");
    game.Wait(1600);  // four steps 300 ms apart
  }
  ASSERT_TRUE(game.Running()) << game.Stderr();

  game.Key("Escape");  // from play back to the start screen
  game.Wait(500);
  ASSERT_TRUE(game.Running()) << "the game was not in play: " << game.Stderr();
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  if (said.empty()) {
    EXPECT_EQ(game.Stderr(), "");
  } else {
    EXPECT_EQ(game.Stderr().rfind(said, 0), 0u) << game.Stderr();
    EXPECT_EQ(game.Stderr().find('\n'), game.Stderr().size() - 1) << game.Stderr();
  }
}

}  // namespace

TEST(BrokenDataE2ETest, NoDataFolderAtAll) {
  LinkedGameDir dir;
  dir.RemoveData();
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, EmptySpriteList) {
  LinkedGameDir dir;
  dir.Replace("Data/sprites.dat", "");
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, TruncatedPng) {
  LinkedGameDir dir;
  const std::string png = ReadSourceFile("Data/tank_green.png");
  ASSERT_GT(png.size(), 100u);
  dir.Replace("Data/tank_green.png", png.substr(0, png.size() / 2));
  // Green's tanks and roster icon (its first slot, centred on (864, 125)) show
  // the placeholder's checker, every row of it half magenta, above the band at
  // the icon's foot that says what the tank does (up to row 121); the ground
  // and the wall show their own pictures.
  ExpectPlaysAsUsual(dir, "", [](const GameSession& game) {
    auto checkered = [](const Screenshot& s) {
      constexpr int kFirstRow = 122;
      constexpr int kRows = 109 + kPlaceholderSide - kFirstRow;
      int magenta = 0;
      for (int i = 0; i < kPlaceholderSide * kRows; ++i)
        magenta += Same(s.AtGame(848 + i % kPlaceholderSide, kFirstRow + i / kPlaceholderSide), {255, 0, 255});
      return magenta == kPlaceholderSide * kRows / 2;
    };
    const Screenshot battle = ShootUntil(game, checkered);
    EXPECT_TRUE(checkered(battle));
    EXPECT_EQ(OpaquePictureDistance(battle, LoadPicture("tile_ground.png"), 50 + 32, 50 + 64), 0);  // cell (1, 2)
    EXPECT_EQ(OpaquePictureDistance(battle, LoadPicture("tile_wall.png"), 50, 50 + 32), 0);        // cell (0, 1)
  });
}

TEST(BrokenDataE2ETest, SoundFilesOfRandomBytes) {
  LinkedGameDir dir;
  // The sounds of the scripted turns: the engine and Green's shot.
  dir.Replace("Data/engine.wav", RandomBytes(20000, 1));
  dir.Replace("Data/shot_green.wav", RandomBytes(20000, 2));
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, FontFileOfRandomBytes) {
  LinkedGameDir dir;
  dir.Replace("Data/ACKNOWTT.TTF", RandomBytes(60000, 3));
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, MapOfOneTenMegabyteLine) {
  LinkedGameDir dir;
  std::string line(10 * 1024 * 1024, '.');
  for (std::size_t i = 0; i < line.size(); i += 7) line[i] = '#';
  dir.Replace("Data/map.dat", line);
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, MapWithNoBorder) {
  LinkedGameDir dir;
  std::string map;
  for (int row = 0; row < 20; ++row) map += std::string(20, '.') + "\n";
  dir.Replace("Data/map.dat", map);
  ExpectPlaysAsUsual(dir, "Data/map.dat: its border is not closed by walls");
}

TEST(BrokenDataE2ETest, MapThatCannotHoldTheTeams) {
  LinkedGameDir dir;
  // A closed border with room for two tanks a team; a game has three.
  dir.Replace("Data/map.dat", "####\n#..#\n#..#\n####\n");
  ExpectPlaysAsUsual(dir, "Data/map.dat: ");
}

TEST(BrokenDataE2ETest, IconOfRandomBytesStopsTheGameWithOneLine) {
  LinkedGameDir dir;
  dir.Replace("KVIcon.bmp", RandomBytes(1000, 4));
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  EXPECT_EQ(game.WaitForExit(), 1);
  const std::string err = game.Stderr();
  ASSERT_FALSE(err.empty());
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_NE(err.find("icon"), std::string::npos) << err;
}
