// The Hard level: it plans from what Blue sees and remembers, never from the
// hidden truth, and it plays the moves a strong player would.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ai/AiTestSupport.h"
#include "ai/CComputerPlayer.h"
#include "ai/CHardPlanner.h"
#include "ai/CTeamSearch.h"
#include "core/DataFiles.h"
#include "record/WorldChecksum.h"
#include "world/TurnPlayout.h"

namespace {

using aitest::kBlue;
using aitest::kGreen;

struct Placed {
  std::uint32_t team;
  TankState state;
};

// Every queued command of Blue's tanks, in slot order, as the states it
// leads to and whether it fires.
using BluePlan = std::vector<std::array<std::int32_t, 5>>;

BluePlan PlanOf(const CGameWorld& world) {
  BluePlan plan;
  for (const CTank* tank : world.GetTeamTanks(kBlue)) {
    for (const TankCommand& command : tank->GetCommands()) {
      const TankState& s = command.GetAfter();
      plan.push_back({s.x, s.y, s.dx, s.dy, command.IsFire() ? 1 : 0});
    }
    plan.push_back({-1, -1, -1, -1, -1});
  }
  return plan;
}

// The open 11 x 11 battlefield with these tanks, seen as they see, Hard to plan.
void SetUpBattle(CGameWorld& world, CComputerPlayer& computer, const std::vector<Placed>& tanks) {
  ASSERT_TRUE(world.GetMap().Load(aitest::kOpenMap));
  computer.SetLevel(Difficulty::Hard);
  for (const Placed& p : tanks) world.AddTank(p.team, p.state);
  world.RefreshVisibility();
}

class HardPlannerTest : public aitest::AiWorldTest {
 protected:
  void SetUp() override {
    LoadMap(aitest::kOpenMap);
    m_computer.SetLevel(Difficulty::Hard);
  }
  void Plan() {
    m_world.RefreshVisibility();
    m_computer.PlanTurn(m_world);
  }
  bool BlueSees(std::int32_t x, std::int32_t y) const {
    return m_world.GetMap().GetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), kBlue) != 0;
  }
};

// Worlds alike in all that Blue sees, with Green tanks hidden in different
// places (one right behind a Blue tank, where it would be shot at or fled
// from if it were known): the plans are the same.
TEST(HardPlannerFairnessTest, HiddenGreenTanksDoNotChangeThePlan) {
  const std::vector<Placed> seen = {{kBlue, {5, 7, 0, -1, 100}},
                                    {kBlue, {2, 7, 0, -1, 60}},
                                    {kGreen, {5, 2, 0, 1, 100}},
                                    {kGreen, {8, 4, -1, 0, 40}}};
  const std::vector<std::vector<Placed>> hidden = {
      {}, {{kGreen, {5, 8, 0, -1, 100}}}, {{kGreen, {8, 9, -1, 0, 10}}, {kGreen, {1, 9, 1, 0, 100}}}};
  BluePlan first;
  for (std::size_t i = 0; i < hidden.size(); ++i) {
    CGameWorld world;
    CComputerPlayer computer;
    std::vector<Placed> tanks = seen;
    tanks.insert(tanks.end(), hidden[i].begin(), hidden[i].end());
    SetUpBattle(world, computer, tanks);
    for (const Placed& p : hidden[i]) {
      ASSERT_EQ(world.GetMap().GetVisible(p.state.x, p.state.y, kBlue), 0) << "world " << i;
    }
    // Two turn ends, so that the memory takes part as well.
    computer.PlanTurn(world);
    computer.PlanTurn(world);
    const BluePlan plan = PlanOf(world);
    if (i == 0) {
      first = plan;
      EXPECT_GT(plan.size(), 2u) << "Blue plans nothing at all";
    } else {
      EXPECT_EQ(plan, first) << "world " << i;
    }
  }
}

// A Green tank that drops out of sight is remembered for a few turn ends
// and then forgotten; one whose cell is seen empty is remembered as moved
// away from there.
TEST_F(HardPlannerTest, MemoryKeepsALostTankForAWhileAndDropsACellSeenEmpty) {
  CTank* blue = Put(kBlue, 5, 7, 0, -1);
  CTank* green = Put(kGreen, 5, 2, 0, 1);
  Plan();
  const CEnemyMemory& memory = m_computer.GetHardPlanner().GetMemory();
  ASSERT_TRUE(memory.Get(0).m_known);

  blue->SetHeading(0, 1);  // Green is behind now
  for (std::uint32_t turn = 1; turn <= CEnemyMemory::mc_forgetAfter + 1; ++turn) {
    Plan();
    ASSERT_FALSE(BlueSees(5, 2));
    const bool remembered = turn <= CEnemyMemory::mc_forgetAfter;
    EXPECT_EQ(memory.Get(0).m_known, remembered) << "turn " << turn;
    EXPECT_EQ(memory.Get(0).m_state.y, remembered ? 2 : 0) << "turn " << turn;
  }

  blue->SetHeading(0, -1);
  blue->ClearCommands();
  Plan();
  ASSERT_TRUE(memory.Get(0).m_known);
  EXPECT_FALSE(memory.Get(0).m_moved);
  green->SetPosition(5, 9);  // behind Blue, out of sight; its old cell lies open to view
  blue->ClearCommands();
  Plan();
  EXPECT_TRUE(memory.Get(0).m_known && memory.Get(0).m_moved);
}

// What Hard does in a few small positions on the open 11 x 11 battlefield.
struct Position {
  const char* what;
  std::vector<Placed> tanks;  // Blue's tank to watch first
  TankState end;              // where the watched tank ends its moves
  int shots;                  // shots it fires after them
  bool endMatters = true;     // false: any end will do, and `shots` is the least it fires
};

TEST_F(HardPlannerTest, PlaysTheStrongMove) {
  const std::vector<Position> positions = {
      {"turns from a healthy enemy ahead to finish the weak one at its side",
       {{kBlue, {5, 5, 0, 1, 100}}, {kGreen, {5, 9, -1, 0, 100}}, {kGreen, {1, 5, 0, 1, 20}}},
       {5, 5, -1, 0, 100},
       2},
      {"makes for the centre holder's flank and faces it",
       {{kBlue, {8, 8, 0, -1, 100}}, {kGreen, {5, 5, 0, 1, 100}}},
       {8, 5, -1, 0, 100},
       0},
      {"fires at an enemy in line, its friend out of the line",
       {{kBlue, {2, 1, 0, 1, 100}}, {kBlue, {1, 4, 1, 0, 100}}, {kGreen, {2, 8, 1, 0, 100}}},
       {},
       1,
       false},
      {"goes for the nearer repair cell when badly damaged, not for the centre",
       {{kBlue, {1, 5, 0, 1, CHardPlanner::mc_repairBelow}}},
       {1, 9, 0, 1, 100},
       0},
  };
  for (const Position& position : positions) {
    CGameWorld world;
    CComputerPlayer computer;
    SetUpBattle(world, computer, position.tanks);
    computer.PlanTurn(world);
    const CTank& tank = *world.GetTeamTanks(kBlue)[0];
    int shots = 0;
    TankState end = tank.GetState();
    for (const TankCommand& command : tank.GetCommands()) {
      shots += command.IsFire() ? 1 : 0;
      if (!command.IsFire()) end = command.GetAfter();
    }
    if (position.endMatters) {
      EXPECT_EQ(end.x, position.end.x) << position.what;
      EXPECT_EQ(end.y, position.end.y) << position.what;
      EXPECT_EQ(end.dx, position.end.dx) << position.what;
      EXPECT_EQ(end.dy, position.end.dy) << position.what;
      EXPECT_EQ(shots, position.shots) << position.what;
    } else {
      EXPECT_GE(shots, position.shots) << position.what;
    }
    // No friend ends on a cell ahead of the watched tank where it fires.
    for (const TankCommand& command : tank.GetCommands()) {
      const TankState& from = command.GetAfter();
      for (std::size_t i = 1; command.IsFire() && i < world.GetTeamTanks(kBlue).size(); ++i) {
        const TankState after = world.GetTeamTanks(kBlue)[i]->PlannedState();
        const std::int32_t ahead = (after.x - from.x) * from.dx + (after.y - from.y) * from.dy;
        const bool inLine = (after.x - from.x) * from.dy == (after.y - from.y) * from.dx;
        EXPECT_FALSE(inLine && ahead > 0) << position.what;
      }
    }
  }
}

// Two tanks front to front in a column, nothing between: each shot takes
// ten hit points, so the one with more wins the duel by firing as often as
// it can, and the one with fewer must leave the column, whatever else it does.
TEST_F(HardPlannerTest, StaysInADuelItWinsAndLeavesOneItLoses) {
  const struct {
    std::int32_t blueHp;
    std::int32_t greenHp;
    bool stays;
  } duels[] = {{100, 60, true}, {60, 100, false}, {90, 50, true}, {50, 90, false}};
  for (const auto& duel : duels) {
    CGameWorld world;
    CComputerPlayer computer;
    SetUpBattle(world, computer, {{kBlue, {8, 8, 0, -1, duel.blueHp}}, {kGreen, {8, 2, 0, 1, duel.greenHp}}});
    computer.PlanTurn(world);
    const CTank& tank = *world.GetTeamTanks(kBlue)[0];
    const TankState end = tank.PlannedState();
    int shots = 0;
    for (const TankCommand& command : tank.GetCommands()) shots += command.IsFire() ? 1 : 0;
    const std::string what = "Blue " + std::to_string(duel.blueHp) + " against " + std::to_string(duel.greenHp);
    if (duel.stays) {
      EXPECT_EQ(end.x, 8) << what;
      EXPECT_EQ(shots, 2) << what;
    } else {
      EXPECT_NE(end.x, 8) << what;
    }
  }
}

// The Hard turn ends of a game of `size` a side on the shipped battlefield,
// Green playing a fixed pattern (`pattern` shifts it), as the world's
// checksum after each.
std::vector<std::uint64_t> PlayHardGame(CComputerPlayer& computer, std::uint32_t pattern, std::uint32_t size = 6) {
  CMap battlefield;
  if (!battlefield.Load(kv::kMapFile)) return {};
  CGameWorld world;
  world.SetUp(battlefield, size, size);
  computer.SetLevel(Difficulty::Hard);
  computer.StartGame(world);
  std::vector<std::uint64_t> sums;
  for (std::uint32_t turn = 0; turn < 40 && world.IsInProgress(); ++turn) {
    for (CTank* tank : world.GetTeamTanks(kGreen)) {
      if (!tank) continue;
      const std::uint32_t kind = (turn + tank->GetSlot() + pattern) % 3;
      if (kind == 0) tank->AddMoveForward(world.GetMap());
      if (kind == 1) tank->AddTurn(turn % 2 == 0);
      tank->AddFire();
    }
    PlayTurnOut(world);
    computer.PlanTurn(world);
    sums.push_back(WorldChecksum(world));
  }
  return sums;
}

// However many tanks a side, a planning plays out at most its budget of
// turns: the worst time of a turn end rests on it.
TEST(HardPlannerBudgetTest, PlaysOutAtMostItsBudgetOfTurns) {
  CMap battlefield;
  ASSERT_TRUE(battlefield.Load(kv::kMapFile));
  for (const std::uint32_t size : {1u, 4u, 10u}) {
    CGameWorld world;
    world.SetUp(battlefield, size, size);
    CComputerPlayer computer;
    computer.SetLevel(Difficulty::Hard);
    computer.StartGame(world);
    computer.PlanTurn(world);
    const std::int32_t playouts = computer.GetHardPlanner().GetPlayouts();
    EXPECT_GT(playouts, 0) << size << " a side";
    EXPECT_LE(playouts, CTeamSearch::mc_playouts) << size << " a side";
  }
}

// A game played again plays the same, whether by the same computer after
// another, larger game (nothing of that game is left over, not even of
// slots the new one lacks) or by a new one.
TEST(HardPlannerDeterminismTest, AGamePlayedAgainPlaysTheSame) {
  CComputerPlayer computer;
  const std::vector<std::uint64_t> first = PlayHardGame(computer, 0);
  ASSERT_GT(first.size(), 5u);
  PlayHardGame(computer, 1, 8);
  EXPECT_EQ(PlayHardGame(computer, 0), first);
  CComputerPlayer fresh;
  EXPECT_EQ(PlayHardGame(fresh, 0), first);
}

}  // namespace
