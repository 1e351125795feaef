// The game as a desktop program: installed into a folder of its own and
// started from elsewhere, with the player's choices kept in the XDG folders
// between runs, and with settings files it cannot read or write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "e2e/GameSession.h"
#include "e2e/ScreenPixels.h"
#include "support/TempDir.h"
#include "screen/StartScreenControls.h"

using namespace screen;

namespace {

constexpr int kTopRow = 767;

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ClickOn(GameSession& game, const ClickBox& box) {
  game.Click((box.left + box.right) / 2, kTopRow + 1 - (box.top + box.bottom) / 2);
}

// The player's folders, all inside one temporary folder.
std::map<std::string, std::string> HomeIn(const TempDir& dir, const std::string& config) {
  return {{"HOME", dir.File("home")}, {"XDG_CONFIG_HOME", config}, {"XDG_DATA_HOME", dir.File("data")}};
}

// Waits for the start screen's text: the stem of the title's "K" in white.
bool ShowsStartScreenText(GameSession& game) {
  if (!game.WaitForWindow()) return false;
  return Same(game.ShootWhen(153, kTopRow - 458, kWhite).AtGame(153, 458), kWhite);
}

// Escape twice (the battle, then the start screen) ends the game with status 0.
void Quit(GameSession& game) {
  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

TEST(DesktopE2ETest, TheInstalledGameRunsFromAnyFolderAndRemembersTheTeamSizes) {
  TempDir dir;
  const std::string install = "DESTDIR='" + dir.File("root") + "' '" + KORVANE_CMAKE + "' --install '" +
                              KORVANE_BUILD_DIR + "' --prefix /usr >/dev/null";
  ASSERT_EQ(std::system(install.c_str()), 0) << install;
  const std::string program = dir.File("root/usr/bin/korvane");
  GameSession::Options options;
  options.workingDir = dir.Path();  // neither the data nor the program are here
  options.env = HomeIn(dir, dir.File("config"));
  const std::string settings = dir.File("config/korvane/settings");
  {
    GameSession game;
    game.SetProgram(program);
    ASSERT_TRUE(game.Start(options));
    ASSERT_TRUE(ShowsStartScreenText(game)) << game.Stderr();
    ClickOn(game, StartScreenControls::mc_greenMore);
    ClickOn(game, StartScreenControls::mc_greenMore);
    ClickOn(game, StartScreenControls::mc_blueLess);
    game.Key("Return");  // the battle: the roster's first bar, and the wall tile of cell (0, 0)
    const Screenshot battle = game.ShootWhen(854, kTopRow - 104, {102, 102, 102});
    EXPECT_FALSE(Same(battle.AtGame(50, 50), kBackground));
    Quit(game);
    EXPECT_EQ(game.Stderr(), "");
  }
  const std::string remembered = ReadFile(settings);
  EXPECT_NE(remembered.find("\ngreen_team_size = 5\n"), std::string::npos) << remembered;
  EXPECT_NE(remembered.find("\nblue_team_size = 2\n"), std::string::npos) << remembered;
  // The next run starts from 5: one "<" makes 4 (from the default 3 it would be 2).
  GameSession again;
  again.SetProgram(program);
  ASSERT_TRUE(again.Start(options));
  ASSERT_TRUE(ShowsStartScreenText(again)) << again.Stderr();
  ClickOn(again, StartScreenControls::mc_greenLess);
  Quit(again);
  EXPECT_NE(ReadFile(settings).find("green_team_size = 4\n"), std::string::npos) << ReadFile(settings);
}

TEST(DesktopE2ETest, SettingsThatCannotBeReadOrWrittenAreSaidOnceAndTheGamePlaysWithTheDefaults) {
  struct Case {
    const char* what;
    bool broken;        // a settings file that is not one; else a config folder that cannot be made
    const char* said;   // in the one line on standard error
  };
  for (const Case& c : {Case{"broken file", true, "ignoring the settings file"},
                        Case{"no config folder", false, "cannot save its settings"}}) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("korvane"));
    const std::string settings =
        c.broken ? dir.Write("korvane/settings", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)) : "";
    // A file where the config folder should be: no one, not even root, can make that folder.
    const std::string config = c.broken ? dir.Path() : dir.Write("blocked", "");
    GameSession game;
    ASSERT_TRUE(game.Start({"", HomeIn(dir, config), {}, {}}));
    ASSERT_TRUE(ShowsStartScreenText(game)) << c.what << ": " << game.Stderr();
    ClickOn(game, StartScreenControls::mc_greenMore);
    ClickOn(game, StartScreenControls::mc_blueMore);
    game.Key("m");
    game.Key("Escape");
    EXPECT_EQ(game.WaitForExit(), 0) << c.what << ": " << game.Stderr();
    const std::string said = game.Stderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << c.what << ": " << said;
    EXPECT_NE(said.find(c.said), std::string::npos) << c.what << ": " << said;
    if (c.broken) {  // the defaults with the changes, in a clean file
      const std::string rewritten = ReadFile(settings);
      for (const char* line : {"\ngreen_team_size = 4\n", "\nblue_team_size = 4\n", "\nsound = off\n"}) {
        EXPECT_NE(rewritten.find(line), std::string::npos) << rewritten;
      }
      EXPECT_EQ(rewritten.find("PNG"), std::string::npos) << rewritten;
    }
  }
}

}  // namespace
