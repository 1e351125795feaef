// What the match offers its tanks and its readers: slots, lookups on cells,
// hits, and the battlefield's named cells.
#include <gtest/gtest.h>

#include "world/CGameWorld.h"

namespace {

class MatchServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_match.GetMap().Load("tests/maps/units_field.dat")); }

  CTank* Put(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy,
             std::int32_t hp = 100) {
    return m_match.AddTank(team, TankState{x, y, dx, dy, hp});
  }

  CGameWorld m_match;  // on the test battlefield: 12 x 10, repair cells (1, 8) and (10, 1)
};

}  // namespace

TEST_F(MatchServicesTest, AddedTanksTakeTeamSlotsInCreationOrder) {
  CTank* green = Put(0, 1, 1, 0, 1);
  CTank* blue = Put(1, 10, 8, 0, -1, 60);
  CTank* green2 = Put(0, 2, 1, 0, 1);
  ASSERT_EQ(m_match.GetTanks().size(), 3u);
  EXPECT_EQ(m_match.GetTanks()[1], blue);
  ASSERT_EQ(m_match.GetTeamTanks(0).size(), 2u);
  EXPECT_EQ(m_match.GetTeamTanks(0)[0], green);
  EXPECT_EQ(m_match.GetTeamTanks(0)[1], green2);
  ASSERT_EQ(m_match.GetTeamTanks(1).size(), 1u);
  EXPECT_EQ(m_match.GetTeamTanks(1)[0], blue);
  EXPECT_EQ(green2->GetSlot(), 1u);
  EXPECT_EQ(m_match.GetAliveCount(0), 2);
  EXPECT_EQ(m_match.GetAliveCount(1), 1);
  EXPECT_EQ(blue->GetTeam(), 1);
  EXPECT_EQ(blue->GetHitPoints(), 60);
  EXPECT_EQ(blue->GetState().dy, -1);
  EXPECT_EQ(blue->GetDelay(), 0);
  EXPECT_FALSE(blue->WasHitFromBehind());
  EXPECT_TRUE(blue->GetCommands().empty());
}

TEST_F(MatchServicesTest, TankLookupsTellTeamsApart) {
  Put(0, 4, 4, 0, 1);
  Put(1, 6, 6, 0, 1);
  EXPECT_TRUE(m_match.IsTankAt(4, 4, CTank::mc_noTeam));
  EXPECT_FALSE(m_match.IsTankAt(4, 4, 0));  // only tanks of the other team
  EXPECT_TRUE(m_match.IsTankAt(4, 4, 1));
  EXPECT_TRUE(m_match.IsTankAt(6, 6, 0));
  EXPECT_FALSE(m_match.IsTankAt(4, 6, CTank::mc_noTeam));
  EXPECT_FALSE(m_match.IsTankAt(-1, 4, CTank::mc_noTeam));
}

TEST_F(MatchServicesTest, HitGoesToTheFirstTankOnTheCellOnly) {
  CTank* first = Put(0, 4, 4, 0, 1);
  CTank* second = Put(1, 4, 4, 0, 1);
  Put(1, 4, 7, 0, -1)->AddFire();  // from above
  Put(1, 7, 4, -1, 0)->AddFire();  // from the right, over empty cells
  m_match.StartTurn();
  m_match.RunStep();
  // Head-on from above and in the side from the right: the first tank takes both.
  EXPECT_EQ(first->GetHitPoints(), 100 - 10 - 20);
  EXPECT_EQ(second->GetHitPoints(), 100);
}

TEST_F(MatchServicesTest, RepairCellsAndCentreFollowTheMapSize) {
  const CMap& map = m_match.GetMap();
  EXPECT_TRUE(map.IsRepairCell(1, 8));
  EXPECT_TRUE(map.IsRepairCell(10, 1));
  EXPECT_FALSE(map.IsRepairCell(1, 1));
  EXPECT_FALSE(map.IsRepairCell(10, 8));
  EXPECT_FALSE(map.IsRepairCell(8, 1));
  EXPECT_EQ(map.GetCentre(), (MapCell{6, 5}));

  const CMap unloaded;  // a map never loaded has no repair cell
  for (int v : {-2, -1, 0, 1}) {
    EXPECT_FALSE(unloaded.IsRepairCell(1, v));
    EXPECT_FALSE(unloaded.IsRepairCell(v, 1));
  }
}

TEST(GameWorldDeathTest, TankOfNoTeamStopsTheProgram) {
  CGameWorld match;
  EXPECT_DEATH(match.AddTank(2, TankState{}), "Assertion failed: team < mc_numTeams, file CGameWorld.cpp");
}
