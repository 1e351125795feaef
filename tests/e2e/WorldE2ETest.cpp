#include <gtest/gtest.h>

#include "e2e/GameSession.h"

// The real program through a scripted session. Whether a key took effect
// shows here in the process's life: Escape ends the program on the start
// screen only, and the help panel takes the key after F1.
TEST(WorldE2ETest, ASessionOfPlayRunsUntilEscapeFromTheStartScreen) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();

  game.Key("Return");  // start play
  game.Key("1");
  game.Key("Up");
  game.Key("space");
  game.Wait(1500);     // the turn runs
  game.Click(82, 686);   // Green's first tank, cell (1, 1)
  game.Click(210, 654);  // a path to cell (5, 2)
  game.Click(210, 654, 3);
  game.Click(5, 760);    // left of and below the map
  game.Key("r");
  game.Key("F1");
  game.Key("Escape");  // only closes the help
  game.Wait(500);
  ASSERT_TRUE(game.Running()) << game.Stderr();

  game.Key("Escape");  // back to the start screen, the game kept
  game.Wait(500);
  ASSERT_TRUE(game.Running()) << game.Stderr();

  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}
