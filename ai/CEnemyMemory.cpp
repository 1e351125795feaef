#include "ai/CEnemyMemory.h"

#include "core/Assert.h"
#include "units/CTank.h"
#include "world/CTeamView.h"

void CEnemyMemory::Clear() {
  for (Sighting& sighting : m_tanks) sighting = Sighting{};
}

void CEnemyMemory::Set(std::uint32_t slot, const Sighting& sighting) {
  KV_ASSERT(slot < mc_maxTanks);
  m_tanks[slot] = sighting;
}

void CEnemyMemory::Update(const CTeamView& view) {
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    Sighting& sighting = m_tanks[slot];
    // Only a tank on a cell the team sees is looked at.
    if (const CTank* tank = view.GetSeenEnemy(slot)) {
      sighting.m_state = tank->GetState();
      sighting.m_age = 0;
      sighting.m_known = true;
      sighting.m_moved = false;
      continue;
    }
    if (!sighting.m_known) continue;
    ++sighting.m_age;
    if (sighting.m_age > mc_forgetAfter) {
      sighting = Sighting{};
      continue;
    }
    // Its cell is in sight and it is not there.
    if (view.Sees(sighting.m_state.x, sighting.m_state.y)) sighting.m_moved = true;
  }
}
