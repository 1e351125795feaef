// The forecast of a planned shot: what it would strike as the shooter's team
// knows the battlefield now, by the one damage rule, never telling of a tank
// the team does not see.
#include <gtest/gtest.h>

#include <vector>

#include "world/CGameWorld.h"
#include "world/ShotForecast.h"

namespace {

using Outcome = ShotForecast::Outcome;

struct Placed {
  std::uint32_t team;
  TankState state;
};

struct Case {
  const char* what;
  std::vector<Placed> tanks;       // the first is Green's shooter where it stands now
  TankState from;                  // where and how it fires
  std::vector<MapCell> unseen;     // cells Green does not see; every other it sees
  Outcome outcome;
  MapCell stop;
  std::uint32_t slot;
  HitSide side;
  std::int32_t damage;
};

constexpr TankState At(std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy) {
  return TankState{x, y, dx, dy, 100};
}

}  // namespace

// On a 12 x 10 field without a border: walls (3, 7) and (9, 4), repair cells
// (1, 8) and (10, 1). The shooter fires right along row 4 unless said.
TEST(ShotForecastTest, EachOutcomeAsGreenKnowsTheFieldNow) {
  const TankState right = At(1, 4, 1, 0);
  const Case cases[] = {
      {"an enemy facing the shell: its front", {{0, right}, {1, At(5, 4, -1, 0)}}, right, {},
       Outcome::Enemy, {5, 4}, 0, HitSide::Front, 10},
      {"an enemy facing up: its side", {{0, right}, {1, At(5, 4, 0, 1)}}, right, {},
       Outcome::Enemy, {5, 4}, 0, HitSide::Side, 20},
      {"an enemy facing away: its rear", {{0, right}, {1, At(5, 4, 1, 0)}}, right, {},
       Outcome::Enemy, {5, 4}, 0, HitSide::Rear, 50},
      {"the second enemy, the nearer of two", {{0, right}, {1, At(8, 4, 1, 0)}, {1, At(6, 4, 0, -1)}}, right, {},
       Outcome::Enemy, {6, 4}, 1, HitSide::Side, 20},
      {"an enemy on a repair cell, down column 10",
       {{0, At(10, 6, 0, -1)}, {1, At(10, 1, -1, 0)}}, At(10, 6, 0, -1), {},
       Outcome::Enemy, {10, 1}, 0, HitSide::RepairCell, 70},
      {"an own tank in the way", {{0, right}, {0, At(5, 4, 0, 1)}, {1, At(7, 4, 0, 1)}}, right, {},
       Outcome::Friend, {5, 4}, 1, HitSide::Side, 20},
      {"an own tank beyond cells out of sight", {{0, right}, {0, At(5, 4, 1, 0)}}, right, {{3, 4}},
       Outcome::Friend, {5, 4}, 1, HitSide::Rear, 50},
      {"a wall, all in sight", {{0, At(1, 7, 1, 0)}}, At(1, 7, 1, 0), {},
       Outcome::Wall, {3, 7}, 0, HitSide::Front, 0},
      {"the map's edge", {{0, At(1, 0, 0, -1)}}, At(1, 0, 0, -1), {},
       Outcome::Wall, {1, -1}, 0, HitSide::Front, 0},
      {"a wall behind a cell out of sight", {{0, At(1, 7, 1, 0)}}, At(1, 7, 1, 0), {{2, 7}},
       Outcome::Fog, {3, 7}, 0, HitSide::Front, 0},
      {"an enemy out of sight is not told", {{0, right}, {1, At(5, 4, -1, 0)}}, right, {{5, 4}},
       Outcome::Fog, {9, 4}, 0, HitSide::Front, 0},
      {"from its planned cell, not over the cell it stands on now",
       {{0, At(3, 4, 0, 1)}, {1, At(5, 4, 0, 1)}}, right, {},
       Outcome::Enemy, {5, 4}, 0, HitSide::Side, 20},
      {"from its planned heading: up, past the enemy on its right",
       {{0, right}, {1, At(2, 4, 0, 1)}}, At(1, 4, 0, 1), {},
       Outcome::Wall, {1, 10}, 0, HitSide::Front, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGameWorld match;
    ASSERT_TRUE(match.GetMap().Load("tests/maps/units_field.dat"));
    const CTank* shooter = nullptr;
    for (const Placed& placed : c.tanks) {
      const CTank* tank = match.AddTank(placed.team, placed.state);
      if (!shooter) shooter = tank;
    }
    CMap& map = match.GetMap();
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) map.SetVisible(x, y, 0, 1);
    }
    for (const MapCell& cell : c.unseen) {
      map.SetVisible(static_cast<std::uint32_t>(cell.x), static_cast<std::uint32_t>(cell.y), 0, 0);
    }
    const ShotForecast forecast = ForecastShot(match, *shooter, c.from);
    EXPECT_EQ(forecast.m_outcome, c.outcome);
    EXPECT_EQ(forecast.m_x, c.stop.x);
    EXPECT_EQ(forecast.m_y, c.stop.y);
    EXPECT_EQ(forecast.m_hit.m_damage, c.damage);
    if (c.outcome == Outcome::Enemy || c.outcome == Outcome::Friend) {
      EXPECT_EQ(forecast.m_slot, c.slot);
      EXPECT_EQ(forecast.m_hit.m_side, c.side);
    }
  }
}
