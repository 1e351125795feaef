#include "screen/CBattleScreen.h"

#include <algorithm>

#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

// The last static layers epoch given out, by any screen.
std::uint64_t g_lastEpoch = 0;

}  // namespace

CBattleScreen::CBattleScreen() { MarkDirty(); }

void CBattleScreen::Reset() {
  m_effects.Clear();
  m_sounds.StopEngines();
  m_lastSeen.Clear();
  m_selected = 0;
  m_help = false;
  m_noPathMs = 0;
  MarkDirty();
}

void CBattleScreen::Absorb(CGameWorld& match) {
  // Sight changes with the events, but a game just begun or brought back has
  // none yet: the first look counts too.
  if (m_lastSeen.Learn(match)) MarkDirty();
  const std::vector<MatchEvent>& events = match.GetEvents();
  if (events.empty()) return;
  m_effects.Absorb(events);
  m_sounds.Absorb(events);
  match.ClearEvents();
  // Moves, shots and the turn's end change the planned commands and the fog.
  MarkDirty();
}

void CBattleScreen::Update(std::uint32_t elapsedMs) { m_noPathMs -= std::min(m_noPathMs, elapsedMs); }

bool CBattleScreen::Shows(const CGameWorld& match, const CTank& tank) const {
  switch (m_view) {
    case BattleView::GreenFog: return match.TeamKnows(0, tank);
    case BattleView::BlueFog: return match.TeamKnows(1, tank);
    case BattleView::Everything: break;
  }
  return true;
}

void CBattleScreen::Select(const CGameWorld& match, std::uint32_t n) {
  const CTankSlots<const CTank> slots = match.GetTeamTanks(CGameWorld::mc_playerTeam);
  m_selected = n >= 1 && n <= slots.size() && slots[n - 1] ? n : 0;
  MarkDirty();  // the plan's markers show the selection
}

CTank* CBattleScreen::GetSelectedTank(CGameWorld& match) const {
  if (m_selected == 0) return nullptr;
  return match.GetTeamTanks(CGameWorld::mc_playerTeam)[m_selected - 1];
}

const CTank* CBattleScreen::GetSelectedTank(const CGameWorld& match) const {
  if (m_selected == 0) return nullptr;
  return match.GetTeamTanks(CGameWorld::mc_playerTeam)[m_selected - 1];
}

void CBattleScreen::SetView(BattleView view) {
  m_view = view;
  MarkDirty();
}

void CBattleScreen::SetThreatLens(bool shown) {
  m_lens = shown;
  MarkDirty();
}

void CBattleScreen::MarkNoPath(std::int32_t x, std::int32_t y) {
  m_noPathMs = mc_noPathMarkMs;
  m_noPathX = x;
  m_noPathY = y;
}

bool CBattleScreen::GetNoPathMark(std::int32_t& x, std::int32_t& y) const {
  if (m_noPathMs == 0) return false;
  x = m_noPathX;
  y = m_noPathY;
  return true;
}

void CBattleScreen::MarkDirty() { m_epoch = ++g_lastEpoch; }
