#include "ai/CHardWatch.h"

#include <cstdlib>

#include "ai/CKnownMatch.h"
#include "core/Assert.h"

namespace {

// Friends this near a blocked tank that are on a detour already free its way.
constexpr std::int32_t kDetourNear = 2;

}  // namespace

void CHardWatch::Look(const CKnownMatch& known) {
  if (m_press > 0) --m_press;
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    Kept& kept = m_kept[slot];
    if (kept.detour > 0) --kept.detour;
    const std::int32_t index = known.IndexOf(known.GetTeam(), static_cast<std::uint32_t>(slot));
    if (index == CKnownMatch::mc_none) {
      kept = Kept{};
      continue;
    }
    const TankState& s = tanks[static_cast<std::size_t>(index)].m_state;
    const bool stood = kept.moving && s.x == kept.fromX && s.y == kept.fromY;
    kept.blocked = stood ? kept.blocked + 1 : 0;
  }
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    Kept& kept = m_kept[slot];
    if (kept.blocked < mc_blockedTurns || kept.detour > 0) continue;
    bool freed = false;
    for (std::size_t other = 0; other < mc_maxTanks; ++other) {
      const Kept& friendKept = m_kept[other];
      const std::int32_t away = std::abs(friendKept.fromX - kept.fromX) + std::abs(friendKept.fromY - kept.fromY);
      freed = freed || (other != slot && friendKept.detour > 0 && away <= kDetourNear);
    }
    if (!freed) kept.detour = mc_detourTurns;
    kept.blocked = 0;
  }
  for (std::size_t i = 0; i + 1 < mc_history; ++i) m_positions[i] = m_positions[i + 1];
  m_positions[mc_history - 1] = PositionOf(known);
}

bool CHardWatch::IsRepeating() const {
  const std::uint32_t now = m_positions[mc_history - 1];
  std::uint32_t seen = 0;
  for (const std::uint32_t position : m_positions) seen += position == now && now != 0 ? 1 : 0;
  return seen >= mc_repeats;
}

void CHardWatch::Planned(std::size_t slot, const TankState& from, const TankState& end) {
  if (slot >= mc_maxTanks) return;
  Kept& kept = m_kept[slot];
  kept.fromX = from.x;
  kept.fromY = from.y;
  kept.moving = end.x != from.x || end.y != from.y;
}

CHardWatch::Kept CHardWatch::GetKept(std::size_t slot) const {
  KV_ASSERT(slot < mc_maxTanks);
  return m_kept[slot];
}

void CHardWatch::SetKept(std::size_t slot, const Kept& kept) {
  KV_ASSERT(slot < mc_maxTanks);
  m_kept[slot] = kept;
}

std::uint32_t CHardWatch::GetPosition(std::size_t age) const {
  KV_ASSERT(age < mc_history);
  return m_positions[age];
}

void CHardWatch::SetPosition(std::size_t age, std::uint32_t position) {
  KV_ASSERT(age < mc_history);
  m_positions[age] = position;
}

std::uint32_t CHardWatch::PositionOf(const CKnownMatch& known) {
  // FNV-1a over every known tank's team and cell, in the list's order.
  std::uint32_t hash = 2166136261u;
  for (const CKnownMatch::Tank& tank : known.GetTanks()) {
    for (const std::int32_t word : {static_cast<std::int32_t>(tank.m_team), tank.m_state.x, tank.m_state.y}) {
      hash = (hash ^ static_cast<std::uint32_t>(word)) * 16777619u;
    }
  }
  return hash == 0 ? 1 : hash;
}
