#include "ai/CJamWatch.h"

#include <algorithm>

#include "engine/Assert.h"
#include "units/CAction.h"
#include "units/CTank.h"

void CJamWatch::Reset() { *this = CJamWatch(); }

void CJamWatch::BeginPlanning(const std::vector<CTank*>& slots) {
  const std::size_t watched = std::min(slots.size(), mc_maxTanks);
  for (std::size_t slot = 0; slot < mc_maxTanks; ++slot) {
    const bool known = slot < watched && slots[slot] && m_plannings > 0;
    m_jammedBy[slot] = known ? JammedBy(slot, *slots[slot], slots) : nullptr;
    m_jammedTurns[slot] = m_jammedBy[slot] ? m_jammedTurns[slot] + 1 : 0;
  }
}

bool CJamWatch::MustDropRoute(std::size_t slot, const std::vector<CTank*>& slots) const {
  const std::size_t watched = std::min(slots.size(), mc_maxTanks);
  std::size_t at = slot;
  for (std::size_t step = 0; step < watched && at < watched && m_jammedTurns[at] >= mc_jamTurns; ++step) {
    at = static_cast<std::size_t>(std::find(slots.begin(), slots.begin() + watched, m_jammedBy[at]) - slots.begin());
    if (at == slot) return true;
  }
  return false;
}

void CJamWatch::Planned(std::size_t slot, const CTank& tank) {
  if (slot >= mc_maxTanks) return;
  const TankState& state = tank.GetState();
  m_planned[slot] = PlannedTank{state.x, state.y, state.dx, state.dy, tank.GetCommands().size()};
}

const CTank* CJamWatch::JammedBy(std::size_t slot, const CTank& tank, const std::vector<CTank*>& slots) const {
  const TankState& state = tank.GetState();
  const PlannedTank& was = m_planned[slot];
  const CTank::CommandQueue& queue = tank.GetCommands();
  if (queue.empty() || queue.size() != was.queued || state.x != was.x || state.y != was.y || state.dx != was.dx ||
      state.dy != was.dy) {
    return nullptr;
  }
  const TankState& into = queue.front()->GetAfter();
  if (into.x == state.x && into.y == state.y) return nullptr;
  for (const CTank* other : slots) {
    if (other && other->GetX() == into.x && other->GetY() == into.y) return other;
  }
  return nullptr;
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
