// --replay in the real game: tanks move while it plays, Blue's fog,
// everything and the threat lens each change the picture, Escape leaves for
// the start screen; a record whose third turn disagrees is refused in one
// line on standard error and on the start screen.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "e2e/GameSession.h"
#include "e2e/ScreenPixels.h"
#include "support/TempDir.h"

using namespace screen;

namespace {

constexpr Box kBattlefield{34, 833, 34, 737};

// The battlefield of the next screenshot that differs from `before`.
Patch NextField(const GameSession& game, const Patch& before) {
  return Cut(ShootUntil(game, [&](const Screenshot& shot) { return Cut(shot, kBattlefield) != before; }),
             kBattlefield);
}

TEST(ReplayE2ETest, ReplayPlaysInThreeViewsWithTheLensAndARecordThatDisagreesIsRefusedInOneLine) {
  const TempDir data;
  GameSession::Options options;
  options.env["XDG_DATA_HOME"] = data.Path();
  options.args = {"--replay", "tests/records/shipped-10v10.kvrec"};
  {
    GameSession game;
    ASSERT_TRUE(game.Start(options));
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    const Patch green = Cut(game.ShootWhen(854, 767 - 104, Pixel{102, 102, 102}), kBattlefield);  // the roster shown
    game.Key("g");
    const Patch blue = NextField(game, green);
    game.Key("g");
    const Patch everything = NextField(game, blue);
    game.Key("t");
    const Patch lens = NextField(game, everything);
    EXPECT_TRUE(blue != green && everything != blue && everything != green && lens != everything);
    game.Key("space");
    const Patch moving = NextField(game, lens);
    EXPECT_NE(NextField(game, moving), moving) << "nothing moved while the replay played";
    game.Key("Escape");  // to the start screen, where it quits
    game.Key("Escape");
    EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
    EXPECT_EQ(game.Stderr(), "");
  }

  std::ifstream golden(std::string(KORVANE_SOURCE_DIR) + "/tests/records/shipped-3v3.kvrec");
  std::string text((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) at = text.find("\ncheck ", at + 1);
  ASSERT_NE(at, std::string::npos);
  text[at + 7] = text[at + 7] == '0' ? '1' : '0';
  options.args = {"--replay", data.Write("altered.kvrec", text)};
  GameSession game;
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  // The line left of the battlefield's picture, where nothing else is written.
  Box said{};
  const Box line{40, 590, 150, 185};
  EXPECT_TRUE(InkBox(ShootUntil(game, [&](const Screenshot& shot) { return InkBox(shot, line, said); }), line, said));
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), options.args[1] + ": turn 3 does not match this game\n");
}

}  // namespace
