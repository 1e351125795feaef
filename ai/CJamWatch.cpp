#include "ai/CJamWatch.h"

#include <algorithm>

#include "core/Assert.h"
#include "units/CTank.h"

void CJamWatch::Reset() { *this = CJamWatch(); }

void CJamWatch::BeginPlanning(const CTankSlots<const CTank>& slots) {
  const std::size_t watched = std::min(slots.size(), mc_maxTanks);
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    const bool known = slot < watched && slots[slot] && m_plannings > 0;
    m_jammedBy[slot] = known ? JammedBy(slot, *slots[slot], slots) : mc_nobody;
    m_jammedTurns[slot] = m_jammedBy[slot] != mc_nobody ? m_jammedTurns[slot] + 1 : 0;
  }
}

bool CJamWatch::MustDropRoute(std::size_t slot) const {
  std::size_t at = slot;
  for (std::size_t step = 0; step < mc_maxTanks && at < mc_maxTanks && m_jammedTurns[at] >= mc_jamTurns; ++step) {
    at = m_jammedBy[at];
    if (at == slot) return true;
  }
  return false;
}

void CJamWatch::Planned(std::size_t slot, const CTank& tank) {
  if (slot >= mc_maxTanks) return;
  const TankState& state = tank.GetState();
  m_planned[slot] = PlannedTank{state.x, state.y, state.dx, state.dy, tank.GetCommands().size()};
}

std::size_t CJamWatch::JammedBy(std::size_t slot, const CTank& tank, const CTankSlots<const CTank>& slots) const {
  const TankState& state = tank.GetState();
  const PlannedTank& was = m_planned[slot];
  const CTank::CommandQueue& queue = tank.GetCommands();
  if (queue.empty() || queue.size() != was.queued || state.x != was.x || state.y != was.y || state.dx != was.dx ||
      state.dy != was.dy) {
    return mc_nobody;
  }
  const TankState& into = queue.front().GetAfter();
  if (into.x == state.x && into.y == state.y) return mc_nobody;
  for (std::size_t other = 0; other < slots.size(); ++other) {
    const CTank* tank = slots[other];
    if (tank && tank->GetX() == into.x && tank->GetY() == into.y) return other < mc_maxTanks ? other : mc_nobody;
  }
  return mc_nobody;
}

CJamWatch::Kept CJamWatch::GetKept(std::size_t slot) const {
  KV_ASSERT(slot < mc_maxTanks);
  const PlannedTank& planned = m_planned[slot];
  return Kept{planned.x, planned.y, planned.dx, planned.dy, planned.queued, m_jammedTurns[slot]};
}

void CJamWatch::SetKept(std::size_t slot, const Kept& kept) {
  KV_ASSERT(slot < mc_maxTanks);
  m_planned[slot] = PlannedTank{kept.x, kept.y, kept.dx, kept.dy, kept.queued};
  m_jammedTurns[slot] = kept.jammedTurns;
}
