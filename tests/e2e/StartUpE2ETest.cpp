#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/GameSession.h"
#include "support/TempDir.h"

namespace {

// The game's environment without a video driver named: SDL chooses.
const std::vector<std::string> kDriverUnnamed = {"SDL_VIDEODRIVER"};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

// Each start follows a client leaving the X server (the session's own check,
// the game before): a server that then started over dropped the game, which
// ran on unseen in SDL's offscreen driver.
TEST(StartUpE2ETest, ThirtyStartsInARowEachShowTheWindow) {
  GameSession game;
  for (int start = 1; start <= 30; ++start) {
    ASSERT_TRUE(game.Start({{}, {}, kDriverUnnamed, {}}));
    ASSERT_TRUE(game.WaitForWindow(5000)) << "start " << start << ": " << game.Stderr();
    game.Kill();
  }
}

// Without a desktop session's runtime folder the Wayland library complains on
// a line of its own: the game folds that into its one line.
TEST(StartUpE2ETest, WithoutADisplayTheGameEndsAtOnceWithOneLineNamingTheDisplay) {
  const struct {
    const char* display;  // null: no DISPLAY at all
    bool runtimeDir;      // XDG_RUNTIME_DIR set, as in a desktop session
    const char* named;    // what the line says of the display
  } cases[] = {
      {nullptr, true, "no DISPLAY"}, {":9999999", true, "DISPLAY \":9999999\""}, {nullptr, false, "no DISPLAY"}};
  for (const auto& c : cases) {
    GameSession::Options options{{}, {}, {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY"}, {}};
    if (c.display) {
      options.env["DISPLAY"] = c.display;
    } else {
      options.unsetEnv.push_back("DISPLAY");
    }
    if (!c.runtimeDir) options.unsetEnv.push_back("XDG_RUNTIME_DIR");
    GameSession game;
    ASSERT_TRUE(game.Start(options));
    EXPECT_EQ(game.WaitForExit(5000), 1) << c.named;
    const std::string err = game.Stderr();
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_NE(err.find(c.named), std::string::npos) << err;
  }
}

// --help and --version stop at once, but still say what they did not understand.
TEST(StartUpE2ETest, HelpAndVersionStillNameAnUnknownOption) {
  TempDir dir;
  for (const char* option : {"--help", "--version"}) {
    const std::string command =
        "'" + GameBinary() + "' " + option + " --korvane-bogus >'" + dir.File("out") + "' 2>'" + dir.File("err") + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << option;
    EXPECT_NE(ReadFile(dir.File("out")).find("korvane"), std::string::npos) << option;
    EXPECT_NE(ReadFile(dir.File("err")).find("\"--korvane-bogus\""), std::string::npos) << option;
  }
}
