#include "ai/players/CBlueSightings.h"

void CBlueSightings::Clear() {
  for (Sighting& sighting : m_tanks) sighting = Sighting{};
}

void CBlueSightings::Update(const CGreenSight& sight) {
  bool seen[CGreenSight::mc_maxSlots] = {};
  for (const CGreenSight::Seen& tank : sight.GetSeen()) {
    if (tank.slot >= CGreenSight::mc_maxSlots) continue;
    const Sighting& before = m_tanks[tank.slot];
    const bool stayed =
        before.known && before.age == 0 && before.state.x == tank.state.x && before.state.y == tank.state.y;
    m_tanks[tank.slot] = Sighting{tank.state, 0, true, stayed};
    seen[tank.slot] = true;
  }
  for (std::uint32_t slot = 0; slot < CGreenSight::mc_maxSlots; ++slot) {
    Sighting& sighting = m_tanks[slot];
    if (seen[slot] || !sighting.known) continue;
    ++sighting.age;
    if (sight.Sees(sighting.state.x, sighting.state.y) || sighting.age > mc_forgetAfter) sighting = Sighting{};
  }
}

const CBlueSightings::Sighting& CBlueSightings::Get(std::uint32_t slot) const {
  return slot < CGreenSight::mc_maxSlots ? m_tanks[slot] : m_none;
}
