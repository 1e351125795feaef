// Choosing a battlefield on the start screen of the real game and playing it,
// and a battlefield file of one's own that cannot be played.
#include <gtest/gtest.h>

#include <string>

#include "e2e/GameSession.h"
#include "e2e/ScreenPixels.h"
#include "support/TempDir.h"
#include "screen/StartScreenControls.h"

using namespace screen;

namespace {

constexpr int kWindowHeight = 768;
const Box kPicture{StartScreenControls::mc_mapPicture.left, StartScreenControls::mc_mapPicture.right,
                   StartScreenControls::mc_mapPicture.bottom, StartScreenControls::mc_mapPicture.top};
constexpr Box kNameArea{140, 537, 235, 299};

void ClickOn(GameSession& game, const ClickBox& box) {
  game.Click((box.left + box.right) / 2, kWindowHeight - (box.top + box.bottom) / 2);
}

// The start screen once its battlefield's picture, which follows the first frame, shows.
Screenshot ShootStart(const GameSession& game) {
  game.ShootWhen(153, kWindowHeight - 1 - 458, kWhite);
  return ShootUntil(game, [](const Screenshot& s) {
    Box ink{};
    return InkBox(s, kPicture, ink);
  });
}

}  // namespace

TEST(BattlefieldE2ETest, TheNextBattlefieldsShowTheirNameAndPictureAndTheChosenOneIsPlayed) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  const Screenshot first = ShootStart(game);
  // ']' and '>' each step to the next battlefield: Open Field, then Corridors.
  game.Key("bracketright");
  const Screenshot open = ShootUntil(game, [&](const Screenshot& s) { return Cut(s, kPicture) != Cut(first, kPicture); });
  EXPECT_NE(Cut(open, kNameArea), Cut(first, kNameArea));
  ClickOn(game, StartScreenControls::mc_mapMore);
  const Screenshot corridors =
      ShootUntil(game, [&](const Screenshot& s) { return Cut(s, kPicture) != Cut(open, kPicture); });
  ASSERT_NE(Cut(corridors, kPicture), Cut(open, kPicture));
  // The longer name stays left of its marks.
  Box ink{};
  ASSERT_TRUE(InkBox(corridors, kNameArea, ink));
  EXPECT_LE(ink.right, StartScreenControls::mc_mapLess.left - 4) << ToString(ink);

  // Corridors has a wall at (2, 3) where the default battlefield has open
  // ground like (1, 3) beside it, both in sight of Green's first tanks.
  game.Key("Return");
  const Screenshot battle = game.ShootWhen(854, kWindowHeight - 1 - 104, Pixel{102, 102, 102});
  EXPECT_NE(Cell(battle, 2, 3), Cell(battle, 1, 3));
  // A turn is played: the first tank moves up a cell.
  game.Key("1");
  game.Key("Up");
  game.Key("space");
  const Screenshot moved = ShootUntil(game, [&](const Screenshot& s) { return Cell(s, 1, 2) != Cell(battle, 1, 2); });
  EXPECT_NE(Cell(moved, 1, 2), Cell(battle, 1, 2));
  game.Key("Escape");
  game.Wait(300);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}

TEST(BattlefieldE2ETest, AnOwnFileTooLargeToShowIsNamedOnScreenAndOnStandardErrorAndTheDefaultPlayed) {
  TempDir dir;
  std::string big;
  for (int y = 0; y < 30; ++y) big += (y == 0 || y == 29) ? std::string(30, '#') + "\n" : "#" + std::string(28, '.') + "#\n";
  const std::string file = dir.Write("huge.dat", big);
  GameSession game;
  GameSession::Options options;
  options.args = {"--map", file};
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  const Screenshot start = ShootStart(game);
  Box ink{};
  EXPECT_TRUE(InkBox(start, Box{20, 1023, 60, 100}, ink)) << "no line about the battlefield";
  game.Key("Return");
  const Screenshot battle = game.ShootWhen(854, kWindowHeight - 1 - 104, Pixel{102, 102, 102});
  // The line, long with the file's folders, stops short of the turn line beside it.
  EXPECT_TRUE(InkBox(battle, Box{20, 853, 742, 767}, ink)) << "no line above the battlefield";
  EXPECT_LT(ink.right, 846) << ToString(ink);
  game.Key("Escape");
  game.Wait(300);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), file + ": it is larger than 25 x 22 cells and would not show whole; the default battlefield is played.\n");
}
