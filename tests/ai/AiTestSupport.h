#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>

#include "ai/CComputerPlayer.h"
#include "ai/CThreatMaps.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CTeamView.h"

namespace aitest {

// 11 x 11, walls all round, open inside; centre (5, 5), repair cells (1, 9) and (9, 1).
inline constexpr char kOpenMap[] = "tests/maps/ai_open11.dat";
// The same with one more wall at (6, 5), next to the centre.
inline constexpr char kInnerWallMap[] = "tests/maps/ai_innerwall.dat";
// 9 x 7 open cells without any wall, not even a border.
inline constexpr char kBorderlessMap[] = "tests/maps/ai_borderless.dat";

inline constexpr std::uint32_t kGreen = 0;
inline constexpr std::uint32_t kBlue = 1;

// A match on a small test battlefield whose cells the test reveals by hand,
// with the computer's layers for Blue and a computer player.
class AiWorldTest : public ::testing::Test {
 protected:
  // The battlefield, and Blue's layers of its size, empty.
  void LoadMap(const char* path) {
    ASSERT_TRUE(m_world.GetMap().Load(path)) << path;
    m_layers.Reset(m_world.GetMap().GetWidth(), m_world.GetMap().GetHeight());
  }

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

  // Blue's view of the match as it stands now; it lives as long as the test.
  const CTeamView& View() { return m_views.emplace_back(m_world, kBlue); }
  // Blue's threat and vulnerability layers rebuilt from the match as it stands.
  void UpdateThreatMaps() { m_layers.Update(View()); }
  std::uint32_t Threat(std::uint32_t x, std::uint32_t y) const { return m_layers.GetThreat(x, y); }
  std::uint32_t Vuln(std::uint32_t x, std::uint32_t y) const { return m_layers.GetVuln(x, y); }

  CGameWorld m_world;              // the match
  CThreatMaps m_layers;            // Blue's layers
  CComputerPlayer m_computer;      // Blue's player
  std::deque<CTeamView> m_views;   // every view made, kept for what plans on them
};

}  // namespace aitest
