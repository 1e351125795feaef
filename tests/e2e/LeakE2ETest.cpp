// The real program under AddressSanitizer, UndefinedBehaviorSanitizer and
// LeakSanitizer (sanitizer build only) through a scripted session: start,
// a few turns of shots until a tank is destroyed, a restart with 'r', back to
// the start screen, quit. LeakCheckHook.cpp checks for leaks just before SDL
// quits; any invalid access or undefined behaviour would have stopped the
// program with a report instead of the clean exit.
#include <gtest/gtest.h>

#include <string>

#include "e2e/GameSession.h"
#include "e2e/LinkedGameDir.h"
#include "e2e/ScreenPixels.h"
#include "screen/StartScreenControls.h"

namespace {

constexpr int kWindowHeight = 768;
constexpr int kMostTurns = 6;

// A working directory with the repository's icon and data, but a battlefield
// of one column: Green starts at its bottom, Blue at its top, facing each
// other, both on repair cells where a hit costs 70 hit points. Every shot
// along the column hits the other tank, so a few turns of fire destroy one.
class OneColumnDir : public LinkedGameDir {
 public:
  OneColumnDir() { Replace("Data/map.dat", "###\n#.#\n#.#\n#.#\n#.#\n#.#\n###\n"); }
};

GameSession::Options LeakCheckOptions(const std::string& dir) {
  GameSession::Options options;
  options.workingDir = dir;
  options.env["LD_PRELOAD"] = KORVANE_LEAK_CHECK_HOOK;
  // The hook checks before SDL unloads the OpenGL driver; the check at exit
  // could not tell the driver's memory from ours. The hook comes before the
  // sanitizer's runtime in the list of libraries, which is safe here: it
  // replaces no allocation function.
  options.env["ASAN_OPTIONS"] = "detect_leaks=1:leak_check_at_exit=0:verify_asan_link_order=0";
  return options;
}

void ClickOn(GameSession& game, const ClickBox& box) {
  game.Click((box.left + box.right) / 2, kWindowHeight - (box.top + box.bottom) / 2);
}

// A won or tied game offers to be watched in the top line's first half.
bool ShowsGameOver(const Screenshot& shot) {
  screen::Box ink{};
  return screen::InkBox(shot, screen::Box{50, 440, 740, 767}, ink);
}

// Whether LeakSanitizer's report has a direct leak allocated from the module.
bool ReportsDirectLeakFrom(const std::string& report, const std::string& module) {
  for (std::size_t at = report.find("Direct leak"); at != std::string::npos;
       at = report.find("Direct leak", at + 1)) {
    const std::size_t end = report.find("\n\n", at);
    if (report.substr(at, end == std::string::npos ? std::string::npos : end - at).find(module) != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

TEST(LeakE2ETest, ASessionWithADestroyedTankAndARestartLeaksNothing) {
  const OneColumnDir dir;
  GameSession game;
  ASSERT_TRUE(game.Start(LeakCheckOptions(dir.Path())));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.Wait(500);
  // One tank a team, on the one-column battlefield.
  for (int i = 0; i < 2; ++i) {
    ClickOn(game, StartScreenControls::mc_greenLess);
    ClickOn(game, StartScreenControls::mc_blueLess);
  }
  game.Key("Return");

  bool over = false;
  for (int turn = 0; turn < kMostTurns && !over; ++turn) {
    game.Key("1");
    for (int shot = 0; shot < 4; ++shot) game.Key("f");
    game.Key("space");
    over = ShowsGameOver(screen::ShootUntil(game, ShowsGameOver, 4000));
  }
  ASSERT_TRUE(over) << "no tank was destroyed in " << kMostTurns << " turns";

  game.Key("r");  // a new game on the same battlefield
  game.Key("1");
  game.Key("f");
  game.Key("space");
  game.Wait(2000);
  game.Key("Escape");  // back to the start screen
  game.Wait(300);
  ASSERT_TRUE(game.Running()) << game.Stderr();
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(60000), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "korvane leak check: clean\n");
}

TEST(LeakE2ETest, TheCheckFindsABlockAndAnSdlSurfaceLostInTheGamesProcess) {
  const OneColumnDir dir;
  GameSession::Options options = LeakCheckOptions(dir.Path());
  options.env["KORVANE_LEAK_CHECK_PLANT"] = "1";
  GameSession game;
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.Wait(300);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(60000), 0) << game.Stderr();
  const std::string err = game.Stderr();
  EXPECT_NE(err.find("Direct leak of 77 byte(s) in 1 object(s)"), std::string::npos) << err;
  // Allocated inside SDL, but lost by its caller: no suppression may hide it.
  EXPECT_TRUE(ReportsDirectLeakFrom(err, "libSDL")) << err;
  EXPECT_NE(err.find("korvane leak check: leaks found"), std::string::npos) << err;
}
