#include "ai/CEnemyMemory.h"

#include <algorithm>

#include "engine/Assert.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

bool Sees(const CMap& map, std::int32_t x, std::int32_t y, std::uint32_t team) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
      static_cast<std::uint32_t>(y) >= map.GetHeight()) {
    return false;
  }
  return map.GetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), team) != 0;
}

}  // namespace

void CEnemyMemory::Clear() {
  for (Sighting& sighting : m_tanks) sighting = Sighting{};
}

void CEnemyMemory::Set(std::uint32_t slot, const Sighting& sighting) {
  KV_ASSERT(slot < mc_maxTanks);
  m_tanks[slot] = sighting;
}

void CEnemyMemory::Update(const CGameWorld& world, std::uint32_t team) {
  const CMap& map = world.GetMap();
  const CGameWorld::TeamSlots& enemies = world.GetTeamTanks(team == 0 ? 1 : 0);
  const std::size_t slots = std::min<std::size_t>(enemies.size(), mc_maxTanks);
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    Sighting& sighting = m_tanks[slot];
    // Only a tank on a cell the team sees is looked at.
    const CTank* tank = slot < slots ? enemies[slot] : nullptr;
    if (tank && Sees(map, tank->GetX(), tank->GetY(), team)) {
      sighting.m_state = tank->GetState();
      sighting.m_age = 0;
      sighting.m_known = true;
      continue;
    }
    if (!sighting.m_known) continue;
    ++sighting.m_age;
    // Its cell is in sight and it is not there, or it is too long ago.
    if (Sees(map, sighting.m_state.x, sighting.m_state.y, team) || sighting.m_age > mc_forgetAfter) {
      sighting = Sighting{};
    }
  }
}
