// The computer's threat and vulnerability layers, built from the enemy tanks
// Blue sees.
#include <gtest/gtest.h>

#include <cstdint>

#include "ai/AiTestSupport.h"

namespace aitest {
namespace {

class ThreatMapsTest : public AiWorldTest {};

// The worked example: one Green tank in the middle of an open, walled 11 x 11
// battlefield, facing right, seen by Blue everywhere.
TEST_F(ThreatMapsTest, OneShooterInTheOpen) {
  LoadMap(kOpenMap);
  Put(kGreen, 5, 5, 1, 0);
  RevealAll(kBlue);
  UpdateThreatMaps();

  struct Expected {
    std::uint32_t x, y, threat, vuln;
  };
  const Expected cells[] = {
      {6, 5, 100, 100}, {9, 5, 100, 100},  // ahead
      {5, 4, 100, 100}, {5, 6, 100, 100},  // first cell to the right and to the left
      {5, 3, 75, 150},  {5, 7, 75, 150},   // further to the sides
      {5, 1, 75, 150},  {5, 9, 75, 150},
      {4, 5, 100, 100},                    // first cell behind
      {3, 5, 50, 250},  {1, 5, 50, 250},   // further behind
      {5, 5, 0, 100},                      // the shooter's own cell, the centre
  };
  for (const Expected& cell : cells) {
    EXPECT_EQ(Threat(cell.x, cell.y), cell.threat) << "(" << cell.x << ", " << cell.y << ")";
    EXPECT_EQ(Vuln(cell.x, cell.y), cell.vuln) << "(" << cell.x << ", " << cell.y << ")";
  }
  EXPECT_EQ(Threat(6, 4), 90u);  // lines 5 and 12
  EXPECT_EQ(Threat(6, 6), 90u);  // lines 6 and 9
  EXPECT_EQ(Threat(7, 4), 80u);  // lines 12 and 13
  EXPECT_EQ(Threat(4, 4), 65u);  // lines 7 and 11
  EXPECT_EQ(Threat(4, 3), 25u);  // line 7 alone
  // The lines that only threaten rate no vulnerability.
  EXPECT_EQ(Vuln(6, 4), 0u);
  EXPECT_EQ(Vuln(7, 4), 0u);
  // Walls are never rated.
  EXPECT_EQ(Threat(10, 5), 0u);
  EXPECT_EQ(Threat(0, 5), 0u);
}

// Nothing seen: only the centre cell keeps its value, and whatever the
// layers held before is gone.
TEST_F(ThreatMapsTest, UnseenEnemiesLeaveOnlyTheCentre) {
  LoadMap(kOpenMap);
  Put(kGreen, 3, 3, 0, 1);
  CMap& map = m_world.GetMap();
  m_layers.Reset(map.GetWidth(), map.GetHeight());
  m_layers.AddThreat(2, 2, 7);
  m_layers.RaiseVuln(8, 8, 9);
  m_layers.RaiseVuln(5, 5, 400);
  map.SetVisible(3, 3, kGreen, 1);  // Green sees itself; Blue sees nothing

  UpdateThreatMaps();
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      EXPECT_EQ(Threat(x, y), 0u) << "(" << x << ", " << y << ")";
      EXPECT_EQ(Vuln(x, y), x == 5 && y == 5 ? 100u : 0u) << "(" << x << ", " << y << ")";
    }
  }
}

// A shooter facing a wall next to it shoots nothing ahead, but the lines that
// start from the cell ahead still start beyond that wall.
TEST_F(ThreatMapsTest, ShooterFacingAWall) {
  LoadMap(kInnerWallMap);
  Put(kGreen, 5, 5, 1, 0);  // the wall is at (6, 5)
  RevealAll(kBlue);
  UpdateThreatMaps();

  EXPECT_EQ(Threat(6, 5), 0u);
  for (std::uint32_t x = 7; x <= 9; ++x) {
    EXPECT_EQ(Threat(x, 5), 0u) << x;
    EXPECT_EQ(Vuln(x, 5), 0u) << x;
  }
  EXPECT_EQ(Threat(6, 3), 50u);  // line 5, beyond the wall
  EXPECT_EQ(Threat(6, 1), 50u);
  EXPECT_EQ(Threat(6, 8), 50u);  // line 6
  EXPECT_EQ(Threat(6, 4), 90u);  // lines 5 and 12
  EXPECT_EQ(Threat(7, 3), 40u);  // line 13, from two cells ahead
  EXPECT_EQ(Threat(7, 8), 40u);  // line 14
  EXPECT_EQ(Threat(7, 4), 80u);  // lines 12 and 13
}

// Only an enemy that Blue sees stops a line, before its own cell; an unseen
// one is walked through like an empty cell, and a Blue tank never stops one.
TEST_F(ThreatMapsTest, LinesStopAtSeenEnemiesOnly) {
  LoadMap(kOpenMap);
  Put(kGreen, 5, 5, 1, 0);
  Put(kGreen, 8, 5, 0, 1);  // on the first shooter's line ahead
  RevealAll(kBlue);
  UpdateThreatMaps();
  // None of the second tank's own lines comes back to its cell.
  EXPECT_EQ(Threat(8, 5), 0u);
  EXPECT_EQ(Vuln(8, 5), 0u);

  m_world.GetMap().SetVisible(8, 5, kBlue, 0);
  UpdateThreatMaps();
  EXPECT_EQ(Threat(8, 5), 100u);
  EXPECT_EQ(Threat(9, 5), 100u);
  EXPECT_EQ(Vuln(9, 5), 100u);
}

TEST_F(ThreatMapsTest, BlueTanksNeverStopALine) {
  LoadMap(kOpenMap);
  Put(kGreen, 5, 5, 1, 0);
  Put(kBlue, 8, 5, 0, 1);
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Threat(8, 5), 100u);
  EXPECT_EQ(Threat(9, 5), 100u);
  EXPECT_EQ(Vuln(9, 5), 100u);
}

// Where two shooters' lines cross, the threats add up and the greater
// vulnerability stays.
TEST_F(ThreatMapsTest, TwoShootersAddThreatAndKeepTheGreaterVulnerability) {
  LoadMap(kOpenMap);
  Put(kGreen, 5, 5, 1, 0);  // (5, 2) lies further along its right-hand line: 75 / 150
  Put(kGreen, 2, 2, 1, 0);  // and on this one's line ahead: 100 / 100
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Threat(5, 2), 175u);
  EXPECT_EQ(Vuln(5, 2), 150u);
  EXPECT_EQ(Threat(4, 2), 125u);  // the second's line ahead and the first's line 7
  EXPECT_EQ(Vuln(4, 2), 100u);
}

TEST_F(ThreatMapsTest, RepairCellsOnALineCarry200More) {
  LoadMap(kOpenMap);
  Put(kGreen, 5, 1, 1, 0);  // looking along row 1 at the repair cell (9, 1)
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Threat(8, 1), 100u);
  EXPECT_EQ(Threat(9, 1), 300u);
  EXPECT_EQ(Vuln(9, 1), 100u);
}

// A shooter on a repair cell loses 70 to any hit: every cell that it can be
// shot from without moving (its lines 1 to 4) is worth 300.
TEST_F(ThreatMapsTest, ARepairingShooterIsWorth300) {
  LoadMap(kOpenMap);
  Put(kGreen, 9, 1, 0, 1);
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Vuln(9, 2), 300u);  // ahead
  EXPECT_EQ(Vuln(9, 9), 300u);
  EXPECT_EQ(Vuln(8, 1), 300u);  // to the left
  EXPECT_EQ(Vuln(1, 1), 300u);
  EXPECT_EQ(Threat(8, 1), 100u);
  EXPECT_EQ(Threat(7, 1), 75u);
  // Cells of the other lines are threatened but worth nothing to attack from.
  EXPECT_EQ(Threat(8, 2), 90u);  // lines 6 and 9
  EXPECT_EQ(Vuln(8, 2), 0u);
  // The shooter's own cell is a repair cell that no line reaches.
  EXPECT_EQ(Threat(9, 1), 0u);
}

// The centre cell is worth at least 100, and more when a line rates it more.
TEST_F(ThreatMapsTest, CentreNeverBelow100) {
  LoadMap(kOpenMap);
  CTank* shooter = Put(kGreen, 5, 8, 0, -1);  // facing the centre three cells away: 100
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Vuln(5, 5), 100u);
  shooter->SetHeading(0, 1);  // the centre three cells behind: 250
  UpdateThreatMaps();
  EXPECT_EQ(Vuln(5, 5), 250u);
}

// On a battlefield without a wall border every line ends at the edge of the
// grid. Lines 13 and 14 are skipped when the cell two ahead of the shooter
// lies in the outer ring, even where the grid goes on beyond it.
TEST_F(ThreatMapsTest, OpenBorderEndsLinesAtTheEdge) {
  LoadMap(kBorderlessMap);
  Put(kGreen, 2, 3, -1, 0);  // two ahead is (0, 3), on the edge
  RevealAll(kBlue);
  UpdateThreatMaps();
  EXPECT_EQ(Threat(1, 3), 100u);  // ahead, to the edge
  EXPECT_EQ(Threat(0, 3), 100u);
  EXPECT_EQ(Threat(0, 4), 40u);   // line 12 alone
  EXPECT_EQ(Threat(0, 2), 40u);   // line 9 alone
  EXPECT_EQ(Threat(0, 5), 0u);    // line 13 skipped
  EXPECT_EQ(Threat(0, 6), 0u);
  EXPECT_EQ(Threat(0, 1), 0u);    // line 14 skipped
  EXPECT_EQ(Threat(0, 0), 0u);
}

// Every cell and heading of a shooter on the open-bordered battlefield: no
// walk leaves the grid, and the centre keeps at least 100.
TEST_F(ThreatMapsTest, EveryPlaceOnAnOpenBorder) {
  LoadMap(kBorderlessMap);
  RevealAll(kBlue);
  const std::int32_t headings[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  CMap& map = m_world.GetMap();
  CTank* shooter = Put(kGreen, 0, 0, 1, 0);
  for (std::int32_t y = 0; y < static_cast<std::int32_t>(map.GetHeight()); ++y) {
    for (std::int32_t x = 0; x < static_cast<std::int32_t>(map.GetWidth()); ++x) {
      for (const auto& heading : headings) {
        shooter->SetState(TankState{x, y, heading[0], heading[1], 100});
        UpdateThreatMaps();
        EXPECT_GE(Vuln(4, 3), 100u);
        // The shooter's neighbour ahead is always rated, when there is one.
        const std::int32_t ax = x + heading[0];
        const std::int32_t ay = y + heading[1];
        if (!map.IsWallOrOutside(ax, ay)) {
          EXPECT_GE(Threat(static_cast<std::uint32_t>(ax), static_cast<std::uint32_t>(ay)), 100u);
        }
      }
    }
  }
}

}  // namespace
}  // namespace aitest

TEST(ThreatLayersTest, ThreatAccumulatesAndWrapsVulnerabilityOnlyRisesAndCellsGoByRow) {
  CThreatMaps layers;
  layers.Reset(3, 2);
  layers.AddThreat(1, 1, 40);
  layers.AddThreat(1, 1, 2);
  EXPECT_EQ(layers.GetThreat(1, 1), 42u);
  layers.AddThreat(1, 1, 0xFFFFFFFFu);
  EXPECT_EQ(layers.GetThreat(1, 1), 41u);
  EXPECT_EQ(layers.GetThreat(2, 0), 0u);  // x + y * width, not y + x * height

  layers.RaiseVuln(2, 0, 50);
  layers.RaiseVuln(2, 0, 30);
  EXPECT_EQ(layers.GetVuln(2, 0), 50u);
  layers.RaiseVuln(2, 0, 0x80000000u);  // compared unsigned
  EXPECT_EQ(layers.GetVuln(2, 0), 0x80000000u);
  layers.RaiseVuln(2, 0, 7);
  EXPECT_EQ(layers.GetVuln(2, 0), 0x80000000u);
  EXPECT_EQ(layers.GetVuln(1, 1), 0u);
  EXPECT_DEATH(layers.GetThreat(3, 0), "x < m_width");
  EXPECT_DEATH(layers.GetVuln(0, 2), "y < m_height");
}
