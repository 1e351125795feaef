#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/GameSession.h"

namespace {

// The game's environment without a video driver named: SDL chooses.
const std::vector<std::string> kDriverUnnamed = {"SDL_VIDEODRIVER"};

}  // namespace

// Each start meets a fresh X server just after the session's own check left
// it: a game that could not connect then ran on unseen, in SDL's offscreen driver.
TEST(StartUpE2ETest, ThirtyStartsInARowEachShowTheWindow) {
  for (int start = 1; start <= 30; ++start) {
    GameSession game;
    ASSERT_TRUE(game.Start({{}, {}, kDriverUnnamed, {}}));
    ASSERT_TRUE(game.WaitForWindow(5000)) << "start " << start << ": " << game.Stderr();
  }
}

TEST(StartUpE2ETest, WithoutADisplayTheGameEndsAtOnceWithOneLineNamingTheDisplay) {
  const struct {
    const char* display;  // null: no DISPLAY at all
    const char* named;    // what the line says of it
  } cases[] = {{nullptr, "no DISPLAY"}, {":9999999", "DISPLAY \":9999999\""}};
  for (const auto& c : cases) {
    GameSession::Options options{{}, {}, {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY"}, {}};
    if (c.display) {
      options.env["DISPLAY"] = c.display;
    } else {
      options.unsetEnv.push_back("DISPLAY");
    }
    GameSession game;
    ASSERT_TRUE(game.Start(options));
    EXPECT_EQ(game.WaitForExit(5000), 1) << c.named;
    const std::string err = game.Stderr();
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_NE(err.find(c.named), std::string::npos) << err;
  }
}
