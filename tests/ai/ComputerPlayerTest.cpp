// The computer player inside a real game: the game plans Blue at the start
// and at every turn end, through the real planner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/WorldTestSupport.h"

namespace {

using worldtest::WorldTest;
using ComputerPlayerTest = WorldTest;

// Where each queued command leaves the tank, oldest first, with the heading:
// enough to tell two plans apart.
std::vector<std::string> PlannedStates(const CTank& tank) {
  std::vector<std::string> states;
  for (const TankCommand& command : tank.GetCommands()) {
    const TankState& after = command.GetAfter();
    states.push_back(std::to_string(after.x) + "," + std::to_string(after.y) + " " + std::to_string(after.dx) + "," +
                     std::to_string(after.dy));
  }
  return states;
}

// Plans Blue as the game does at a turn end, from where its tanks stand now.
void PlanBlueNow(CGameSession& session) {
  session.GetMatch().RefreshVisibility();
  session.GetGame().Computer().PlanTurn(session.GetMatch());
}

// A new game plans Blue's first turn before the player gives any command:
// the first Blue tank heads for the centre cell, its objective.
TEST_F(ComputerPlayerTest, NewGamePlansBluesFirstTurn) {
  StartGame(1, 1);
  const CTank* blue = Tank(1, 0);
  ASSERT_FALSE(blue->GetCommands().empty());
  const TankState end = blue->PlannedState();
  EXPECT_EQ(end.x, 7);
  EXPECT_EQ(end.y, 6);
}

// Damaged tanks draw their repair cells from the game's random table, one
// draw each, in slot order.
TEST_F(ComputerPlayerTest, DamagedTanksDrawRepairCellsInSlotOrder) {
  StartGame(1, 3);
  Park(0, 0, 0);  // Green out of sight
  Place(1, 0, 5, 10, 1, 0, 30);
  Place(1, 1, 8, 10, 1, 0, 100)->SetObjective(PathNode{4, 3, kAnyHeading});
  Place(1, 2, 10, 1, -1, 0, 20);
  CRandomTable& random = Match().GetRandom();
  random.Fill(7);
  random.SetEntry(1, 20000);  // the first damaged tank: top left
  random.SetEntry(2, 100);    // the second: bottom right
  PlanBlueNow(m_session);

  EXPECT_EQ(random.GetCursor(), 2u);
  const TankState first = Tank(1, 0)->PlannedState();
  EXPECT_EQ(first.x, 1);
  EXPECT_EQ(first.y, 10);
  const TankState healthy = Tank(1, 1)->PlannedState();
  EXPECT_EQ(healthy.x, 4);
  EXPECT_EQ(healthy.y, 3);
  const TankState second = Tank(1, 2)->PlannedState();
  EXPECT_EQ(second.x, 12);
  EXPECT_EQ(second.y, 1);
}

// Once a team has held the centre cell at five turn ends in a row, a damaged
// Blue tank plans as boldly as a healthy one.
TEST_F(ComputerPlayerTest, CentreHeldFiveTurnsMakesEveryTankBold) {
  StartGame(1, 1);
  // Green on the centre facing right; Blue, at (9, 9) facing down, sees it.
  auto placeBlueInView = [this](std::int32_t hp) {
    Place(1, 0, 9, 9, 0, -1, hp);
    PlanBlueNow(m_session);
    return PlannedStates(*Tank(1, 0));
  };
  Place(0, 0, 7, 6, 1, 0);
  const std::vector<std::string> healthy = placeBlueInView(100);
  const std::vector<std::string> damaged = placeBlueInView(30);
  ASSERT_FALSE(healthy.empty());
  ASSERT_NE(healthy, damaged);  // the test means something only if aggression matters here

  // Five turn ends with Green on the centre and Blue shut in a pocket, where
  // it neither sees nor reaches anything.
  Park(1, 0, 4);
  for (int turn = 0; turn < 5; ++turn) PlayTurn();
  ASSERT_EQ(Match().GetHillTeam(), 0);
  ASSERT_EQ(Match().GetHillCount(), 5u);
  ASSERT_EQ(Tank(0, 0)->GetX(), 7);

  EXPECT_EQ(placeBlueInView(30), healthy);
}

// At a turn end the world re-plans Blue: a Blue tank with a Green one in
// plain sight ahead and nothing better to do fires at it.
TEST_F(ComputerPlayerTest, TurnEndReplansBlue) {
  StartGame(1, 1);
  Place(0, 0, 4, 3, 0, 1);
  Place(1, 0, 4, 9, 0, -1);
  PlayTurn();  // Blue had no plan for this turn; Green stood still
  ASSERT_EQ(Match().GetAliveCount(0), 1);
  const CTank* blue = Tank(1, 0);
  ASSERT_FALSE(blue->GetCommands().empty());
  EXPECT_TRUE(blue->NextIsFire());
}

// Two Blue tanks queued to drive into each other's cell wait for ever unless
// they give in; one queued behind a tank waiting by plan keeps its plan.
// Planning again with nothing carried out between is a turn without a move.
TEST_F(ComputerPlayerTest, OnlyTanksWaitingForEachOtherForTwoTurnsGiveUpTheirRoutes) {
  struct Case {
    const char* what;
    std::int32_t x[3], dx[3];  // per Blue slot, its cell in the top lane and heading
    bool thirdWaits;           // the third tank waits by plan rather than drive forward
    bool givesUp;
  };
  const Case cases[] = {
      {"face to face", {3, 4, 8}, {1, -1, 1}, false, true},
      {"queued behind a waiting tank", {4, 3, 2}, {-1, -1, -1}, true, false},
  };
  for (const Case& c : cases) {
    StartGame(1, 3);
    Park(0, 0, 0);  // out of Blue's sight
    for (std::size_t slot = 0; slot < 3; ++slot) {
      CTank* tank = Place(1, slot, c.x[slot], 10, c.dx[slot], 0);
      for (int i = 0; i < 2; ++i) slot == 2 && c.thirdWaits ? tank->AddWait() : tank->AddMoveForward(Match().GetMap());
    }
    const std::vector<std::string> first = PlannedStates(*Tank(1, 0));
    ASSERT_EQ(first.size(), 2u) << c.what;
    for (std::uint32_t plan = 0; plan < CJamWatch::mc_jamTurns; ++plan) {
      PlanBlueNow(m_session);
      EXPECT_EQ(PlannedStates(*Tank(1, 0)), first) << c.what << ", planning " << plan;
    }
    PlanBlueNow(m_session);
    // The first Blue tank's objective is the centre until it gives in.
    const MapCell centre = Match().GetMap().GetCentre();
    EXPECT_EQ(Tank(1, 0)->GetObjective() != (PathNode{centre.x, centre.y, kAnyHeading}), c.givesUp) << c.what;
    EXPECT_EQ(PlannedStates(*Tank(1, 0)) != first, c.givesUp) << c.what;
    Press(SDLK_ESCAPE);
  }
}

}  // namespace
