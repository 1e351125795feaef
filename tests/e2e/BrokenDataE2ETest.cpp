#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "e2e/GameSession.h"
#include "e2e/LinkedGameDir.h"

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
// said on standard error.
void ExpectPlaysAsUsual(const LinkedGameDir& dir) {
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  ASSERT_TRUE(WaitForFirstFrame(game)) << game.Stderr();

  game.Key("Return");
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
  EXPECT_EQ(game.Stderr(), "");
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
  ExpectPlaysAsUsual(dir);
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
  ExpectPlaysAsUsual(dir);
}

TEST(BrokenDataE2ETest, MapThatCannotHoldTheTeams) {
  LinkedGameDir dir;
  // A closed border with room for two tanks a team; a game has three.
  dir.Replace("Data/map.dat", "####\n#..#\n#..#\n####\n");
  ExpectPlaysAsUsual(dir);
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
