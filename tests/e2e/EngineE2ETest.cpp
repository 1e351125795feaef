#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <string>

#include "e2e/GameSession.h"
#include "support/TempDir.h"

namespace {

// A working directory of its own for the game: the repository's Data folder
// and an icon written by the test.
class GameDir {
 public:
  GameDir() { std::filesystem::create_directory_symlink(SourceDir() + "/Data", m_dir.File("Data")); }

  // Writes KVIcon.bmp as a side x side bitmap with the given bits per pixel
  // (8 makes it palettised).
  void WriteIcon(int side, int bitsPerPixel) const {
    SDL_Surface* icon = bitsPerPixel == 8 ? SDL_CreateRGBSurface(SDL_SWSURFACE, side, side, 8, 0, 0, 0, 0)
                                          : SDL_CreateRGBSurface(SDL_SWSURFACE, side, side, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_FillRect(icon, nullptr, 1);
    SDL_SaveBMP(icon, m_dir.File("KVIcon.bmp").c_str());
    SDL_FreeSurface(icon);
  }

  const std::string& Path() const { return m_dir.Path(); }

 private:
  TempDir m_dir;
};

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

// Starts the game in `dir` and expects a window that Escape closes cleanly.
void ExpectRunsAndQuitsOnEscape(GameSession::Options options) {
  GameSession game;
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.Wait(300);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

}  // namespace

TEST(EngineE2ETest, OpensA1024By768WindowShowingTheClearColourAndEscapeEndsTheProgram) {
  GameSession game;
  ASSERT_TRUE(game.Start());  // from the repository, with the game's own icon and data
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  int width = 0, height = 0;
  ASSERT_TRUE(game.WindowSize(width, height));
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
  // The clear colour 0.2 reads back as 51 where nothing is drawn.
  const Screenshot shot = game.ShootWhen(1015, 762, {51, 51, 51});
  ASSERT_EQ(shot.width, 1024);
  ASSERT_EQ(shot.height, 768);
  const Screenshot::Pixel corner = shot.AtGame(1015, 5);
  EXPECT_EQ(corner.r, 51);
  EXPECT_EQ(corner.g, 51);
  EXPECT_EQ(corner.b, 51);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}

TEST(EngineE2ETest, MissingIconEndsWithStatusOneAndOneLineNamingTheIcon) {
  GameDir dir;
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  EXPECT_EQ(game.WaitForExit(), 1);
  const std::string err = game.Stderr();
  EXPECT_EQ(CountLines(err), 1) << err;
  EXPECT_NE(err.find("icon"), std::string::npos) << err;
  EXPECT_NE(err.find("KVIcon.bmp"), std::string::npos) << err;
}

TEST(EngineE2ETest, IconOfWrongSizeOrWithoutPaletteIsRefused) {
  for (auto [side, bits] : {std::pair{16, 8}, std::pair{32, 24}}) {
    GameDir dir;
    dir.WriteIcon(side, bits);
    GameSession game;
    ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
    EXPECT_EQ(game.WaitForExit(), 1) << side << " x " << side << " at " << bits << " bits";
    const std::string err = game.Stderr();
    EXPECT_EQ(CountLines(err), 1) << err;
    EXPECT_NE(err.find("icon: KVIcon.bmp must be a 32 x 32 palettised bitmap"), std::string::npos) << err;
  }
}

TEST(EngineE2ETest, WithoutASoundDeviceTheGameStillRuns) {
  GameDir dir;
  dir.WriteIcon(32, 8);
  // ALSA is there but its device is not: the mixer cannot open.
  ExpectRunsAndQuitsOnEscape({dir.Path(), {{"SDL_AUDIODRIVER", "alsa"}, {"AUDIODEV", "korvane-no-such-device"}}, {}, {}});
}

TEST(EngineE2ETest, WithoutAnyAudioDriverTheGameStillRuns) {
  GameDir dir;
  dir.WriteIcon(32, 8);
  ExpectRunsAndQuitsOnEscape({dir.Path(), {{"SDL_AUDIODRIVER", "korvane-no-such-driver"}}, {}, {}});
}
