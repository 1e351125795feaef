// Records in the real game: a game left with Escape twice comes back with
// "Continue" in a new run exactly as it was left, plans included, and 'V'
// shows the last turn again, then the same planning screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/GameSession.h"
#include "e2e/ScreenPixels.h"
#include "support/TempDir.h"

using namespace screen;

namespace {

constexpr int kTopRow = 767;
constexpr Pixel kBarGrey{102, 102, 102};  // the roster's bar background

Screenshot ShootBattle(const GameSession& game) { return game.ShootWhen(854, kTopRow - 104, kBarGrey); }

// Two screenshots alike a while apart: the effects have faded.
Screenshot ShootStill(const GameSession& game) {
  Screenshot last = ShootBattle(game);
  for (int i = 0; i < 20; ++i) {
    GameSession::Wait(400);
    Screenshot next = game.Shoot();
    if (next.rgb == last.rgb) return next;
    last = next;
  }
  return last;
}

// Starts the game and a new battle with Return; false if the window did not come.
bool StartBattle(GameSession& game, const GameSession::Options& options) {
  if (!game.Start(options) || !game.WaitForWindow()) return false;
  game.Key("Return");
  ShootBattle(game);
  return true;
}

// Starts the game and continues with 'C'; whether the battle shows as `left`.
bool ContinuesAsLeft(GameSession& game, const GameSession::Options& options, const Screenshot& left) {
  if (!game.Start(options) || !game.WaitForWindow()) return false;
  game.Key("c");
  return ShootUntil(game, [&](const Screenshot& s) { return s.rgb == left.rgb; }).rgb == left.rgb;
}

TEST(RecordsE2ETest, ContinueShowsTheBattleAsLeftAndVShowsTheLastTurnAgain) {
  const TempDir data;
  GameSession::Options options;
  options.env["XDG_DATA_HOME"] = data.Path();

  Screenshot left;
  {
    GameSession game;
    ASSERT_TRUE(StartBattle(game, options)) << game.Stderr();
    for (int turn = 0; turn < 2; ++turn) {
      for (const char* key : {"1", "Up", "Up", "Up", "Up", "2", "Left", "space"}) game.Key(key);
      ShootStill(game);  // the turn has ended
    }
    // Plans for the third turn; '0' clears the selection, whose label pulses.
    for (const char* key : {"3", "Up", "Up", "0"}) game.Key(key);
    left = ShootStill(game);
    game.Key("Escape");
    game.Key("Escape");
    ASSERT_EQ(game.WaitForExit(), 0) << game.Stderr();
  }
  ASSERT_TRUE(std::filesystem::is_regular_file(data.File("korvane/autosave.kvrec")));

  GameSession game;
  EXPECT_TRUE(ContinuesAsLeft(game, options, left)) << "the battle does not show as it was left" << game.Stderr();

  // The first tank moved up a cell in every step of the last turn: while
  // the turn is shown again (its line at the top) the battlefield changes.
  // Screenshots come slowly on a loaded machine: the turn is watched again
  // until they caught it at two moments.
  const auto watching = [](const Screenshot& s) {
    Box line{};
    return InkBox(s, Box{0, 1023, 740, kTopRow}, line);
  };
  const Box battlefield{34, 833, 34, 737};
  std::set<std::vector<int>> seen;
  for (int watch = 0; watch < 5 && seen.size() < 2; ++watch) {
    game.Key("v");
    Screenshot s = ShootUntil(game, watching, 5000);
    for (int shot = 0; shot < 4 && watching(s); ++shot, s = game.Shoot()) seen.insert(Cut(s, battlefield).rgb);
    ShootUntil(game, [&](const Screenshot& shot) { return shot.rgb == left.rgb; }, 5000);
  }
  EXPECT_GE(seen.size(), 2u) << "no tank moved while the turn was shown again";
  const Screenshot back = ShootUntil(game, [&](const Screenshot& s) { return s.rgb == left.rgb; });
  EXPECT_TRUE(back.rgb == left.rgb) << "the planning screen did not come back as it was";

  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}

// On a disk where every flush takes 300 ms, the window closed mid-planning
// still keeps the plans: the game waits for its last save before it ends,
// leaves no temporary file behind, and the next run continues as it was left.
TEST(RecordsE2ETest, ClosingTheWindowOnASlowDiskKeepsThePlans) {
  const TempDir data;
  GameSession::Options options;
  options.env["XDG_DATA_HOME"] = data.Path();
  options.env["LD_PRELOAD"] = KORVANE_SLOW_DISK_SHIM;
  // The shim comes before the sanitizer's runtime; it replaces no allocation function.
  options.env["ASAN_OPTIONS"] = "detect_leaks=0:verify_asan_link_order=0";
  Screenshot left;
  {
    GameSession game;
    ASSERT_TRUE(StartBattle(game, options)) << game.Stderr();
    for (const char* key : {"1", "Up", "Up", "2", "Left", "0"}) game.Key(key);
    left = ShootStill(game);
    ASSERT_TRUE(game.CloseWindow());
    ASSERT_EQ(game.WaitForExit(), 0) << game.Stderr();
    EXPECT_EQ(game.Stderr(), "");
  }
  for (const auto& entry : std::filesystem::directory_iterator(data.File("korvane"))) {
    EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
  GameSession game;
  EXPECT_TRUE(ContinuesAsLeft(game, options, left)) << "the plans were lost" << game.Stderr();
  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

// A game killed with SIGKILL at random moments, in a turn or between turns,
// always leaves a whole autosave that is no older than the last: each next
// run continues it with 'C' (a broken one would be set aside as ".broken").
TEST(RecordsE2ETest, AGameKilledAtRandomMomentsAlwaysContinues) {
  const TempDir data;
  GameSession::Options options;
  options.env["XDG_DATA_HOME"] = data.Path();
  const std::string autosave = data.File("korvane/autosave.kvrec");
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  std::size_t turnsSaved = 0;
  for (int run = 0; run < 5; ++run) {
    {
      GameSession game;
      ASSERT_TRUE(game.Start(options));
      ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
      game.Key(run == 0 ? "Return" : "c");
      for (int turn = 0; turn < 3; ++turn) {
        game.Key("space");
        GameSession::Wait(static_cast<int>(500 + random() % 1000));
      }
    }  // the session ends the game with SIGKILL
    // The computer may have won meanwhile: the game went to the history.
    if (!std::filesystem::exists(autosave) && std::filesystem::exists(data.File("korvane/history"))) break;
    std::ifstream file(autosave);
    std::stringstream text;
    text << file.rdbuf();
    std::size_t turns = 0;
    for (std::size_t at = text.str().find("\nturn "); at != std::string::npos; at = text.str().find("\nturn ", at + 1)) {
      ++turns;
    }
    EXPECT_EQ(text.str().rfind("korvane-record 3\n", 0), 0u) << "run " << run << ", seed " << seed;
    EXPECT_GE(turns, turnsSaved) << "run " << run << ", seed " << seed;
    EXPECT_FALSE(std::filesystem::exists(autosave + ".broken")) << "run " << run << ", seed " << seed;
    turnsSaved = turns;
  }
  // Continued runs added turns (a turn takes about 1.2 s).
  EXPECT_GE(turnsSaved, 3u);
}

}  // namespace
