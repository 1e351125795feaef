#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/CGameEngine.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace aitest {

// 11 x 11, walls all round, open inside; centre (5, 5), repair cells (1, 9) and (9, 1).
inline constexpr char kOpenMap[] = "tests/maps/ai_open11.dat";
// The same with one more wall at (6, 5), next to the centre.
inline constexpr char kInnerWallMap[] = "tests/maps/ai_innerwall.dat";
// 9 x 7 open cells without any wall, not even a border.
inline constexpr char kBorderlessMap[] = "tests/maps/ai_borderless.dat";

inline constexpr std::uint32_t kGreen = 0;
inline constexpr std::uint32_t kBlue = 1;

// A real world, built by an engine of its own, on a small test battlefield
// whose cells the test reveals by hand.
class AiWorldTest : public ::testing::Test {
 protected:
  void LoadMap(const char* path) { ASSERT_TRUE(m_world.GetMap().Load(path)) << path; }

  CTank* Put(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy,
             std::int32_t hp = 100) {
    return m_world.AddTank(team, TankState{x, y, dx, dy, hp});
  }

  // The team sees every cell of the map.
  void RevealAll(std::uint32_t team) {
    CMap& map = m_world.GetMap();
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) map.SetVisible(x, y, team, 1);
    }
  }

  std::uint32_t Threat(std::uint32_t x, std::uint32_t y, std::uint32_t team = kBlue) const {
    return m_world.GetMap().GetThreat(x, y, team);
  }
  std::uint32_t Vuln(std::uint32_t x, std::uint32_t y, std::uint32_t team = kBlue) const {
    return m_world.GetMap().GetVuln(x, y, team);
  }

  CGameEngine m_engine;
  CGameWorld& m_world = m_engine.GetWorld();
};

}  // namespace aitest
