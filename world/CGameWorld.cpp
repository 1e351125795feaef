#include "world/CGameWorld.h"

#include <algorithm>
#include <array>

#include "core/Assert.h"

namespace {

constexpr std::uint16_t IdOf(std::uint32_t team, std::uint32_t slot) {
  return static_cast<std::uint16_t>(team << 8 | slot);
}

std::int32_t HeadingOf(const CTank& tank) { return HeadingIndex(tank.GetState().dx, tank.GetState().dy); }

}  // namespace

CGameWorld::CGameWorld() {
  // Tanks never move in memory while a match grows: a pointer AddTank gave stays good.
  for (auto& tanks : m_tanks) tanks.reserve(mc_maxTanksPerTeam);
  m_order.reserve(mc_numTeams * mc_maxTanksPerTeam);
  m_events.reserve(256);
}

CGameWorld::CGameWorld(const CGameWorld& other) : CGameWorld() { *this = other; }

void CGameWorld::SetUp(const CMap& battlefield, std::uint32_t greenTanks, std::uint32_t blueTanks) {
  Clear();
  m_map = battlefield;
  for (std::uint32_t i = 0; i < greenTanks; ++i) {
    const MapCell start = m_map.GetStartCell(0, i);
    AddTank(0, TankState{start.x, start.y, 0, 1, CTank::mc_fullHitPoints});
  }
  for (std::uint32_t i = 0; i < blueTanks; ++i) {
    const MapCell start = m_map.GetStartCell(1, i);
    AddTank(1, TankState{start.x, start.y, 0, -1, CTank::mc_fullHitPoints});
  }
  RefreshVisibility();
}

void CGameWorld::Clear() {
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    m_tanks[team].clear();
    m_present[team].clear();
    m_aliveCount[team] = 0;
    m_seenDestroyed[team] = 0;
  }
  m_order.clear();
  m_executing = false;
  m_stepsDone = 0;
  m_turn = 1;
  m_hillTeam = 0;
  m_hillCount = 0;
  m_log.Clear();
  m_events.clear();
}

CTank* CGameWorld::AddTank(std::uint32_t team, const TankState& state, std::int32_t slot) {
  KV_ASSERT(team < mc_numTeams);
  const auto at = static_cast<std::uint32_t>(slot < 0 ? m_tanks[team].size() : static_cast<std::size_t>(slot));
  KV_ASSERT(at < mc_maxTanksPerTeam);
  KV_ASSERT(at >= m_tanks[team].size() || !m_present[team][at]);
  // Slots skipped are destroyed tanks': empty.
  while (m_tanks[team].size() <= at) {
    m_tanks[team].emplace_back();
    m_tanks[team].back().SetTeam(static_cast<std::int32_t>(team));
    m_tanks[team].back().SetSlot(static_cast<std::uint32_t>(m_tanks[team].size() - 1));
    m_present[team].push_back(0);
  }
  CTank& tank = m_tanks[team][at];
  tank.SetState(state);
  m_present[team][at] = 1;
  m_order.push_back(IdOf(team, at));
  ++m_aliveCount[team];
  return &tank;
}

CTankSlots<const CTank> CGameWorld::GetTeamTanks(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return CTankSlots<const CTank>(m_tanks[team].data(), m_present[team].data(), m_tanks[team].size());
}

CTankSlots<CTank> CGameWorld::GetTeamTanks(std::uint32_t team) {
  KV_ASSERT(team < mc_numTeams);
  return CTankSlots<CTank>(m_tanks[team].data(), m_present[team].data(), m_tanks[team].size());
}

std::int32_t CGameWorld::GetAliveCount(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_aliveCount[team];
}

bool CGameWorld::IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const {
  for (const CTank* tank : GetTanks()) {
    if (tank->GetX() == x && tank->GetY() == y && tank->GetTeam() != exceptTeam) return true;
  }
  return false;
}

bool CGameWorld::TeamKnows(std::uint32_t team, const CTank& tank) const {
  KV_ASSERT(team < mc_numTeams);
  return tank.GetTeam() == static_cast<std::int32_t>(team) || m_map.Sees(team, tank.GetX(), tank.GetY());
}

std::int32_t CGameWorld::GetKnownAlive(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  if (team == mc_playerTeam) return m_aliveCount[team];
  return static_cast<std::int32_t>(m_tanks[team].size()) - m_seenDestroyed[team];
}

MatchTally CGameWorld::GetTally() const {
  MatchTally tally;
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    tally.m_slots[team] = static_cast<std::uint32_t>(m_tanks[team].size());
    tally.m_seenDestroyed[team] = m_seenDestroyed[team];
  }
  tally.m_turn = m_turn;
  tally.m_hillTeam = m_hillTeam;
  tally.m_hillCount = m_hillCount;
  return tally;
}

void CGameWorld::SetTally(const MatchTally& tally) {
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    KV_ASSERT(tally.m_slots[team] <= mc_maxTanksPerTeam);
    while (m_tanks[team].size() < tally.m_slots[team]) {
      m_tanks[team].emplace_back();
      m_tanks[team].back().SetTeam(static_cast<std::int32_t>(team));
      m_tanks[team].back().SetSlot(static_cast<std::uint32_t>(m_tanks[team].size() - 1));
      m_present[team].push_back(0);
    }
  }
  m_turn = tally.m_turn;
  m_hillTeam = tally.m_hillTeam;
  m_hillCount = tally.m_hillCount;
  m_seenDestroyed[0] = tally.m_seenDestroyed[0];
  m_seenDestroyed[1] = tally.m_seenDestroyed[1];
}

void CGameWorld::RefreshVisibility() {
  m_map.ClearVisible();
  for (const CTank* tank : GetTanks()) {
    m_map.RevealSight(static_cast<std::uint32_t>(tank->GetTeam()), tank->GetX(), tank->GetY(), HeadingOf(*tank));
  }
}

bool CGameWorld::StartTurn() {
  if (m_executing || !IsInProgress()) return false;
  m_executing = true;
  return true;
}

void CGameWorld::RunStep() {
  ++m_stepsDone;
  // The log tells the turn being played, and after it the turn just played.
  if (m_stepsDone == 1) m_log.Clear();
  // Tanks about to fire act before every other tank, so a shell reaches a
  // tank that moves away in the same step; each fires in the reverse of the
  // list's order, the others follow in it.
  std::array<std::uint16_t, mc_numTeams * mc_maxTanksPerTeam> order{};
  std::size_t firing = 0;
  for (const std::uint16_t id : m_order) firing += TankOf(id).NextIsFire() ? 1 : 0;
  std::size_t front = firing;
  std::size_t back = firing;
  for (const std::uint16_t id : m_order) {
    if (TankOf(id).NextIsFire()) {
      order[--front] = id;
    } else {
      order[back++] = id;
    }
  }
  // Nothing is removed during the pass: a tank hit earlier in the step still
  // takes its own step, so two tanks firing at each other both fire.
  for (std::size_t i = 0; i < back; ++i) TankOf(order[i]).Step(*this);
  RemoveDestroyedTanks();
  RefreshVisibility();
}

void CGameWorld::RemoveDestroyedTanks() {
  std::size_t i = 0;
  while (i < m_order.size()) {
    const CTank& tank = TankOf(m_order[i]);
    if (!tank.IsDestroyed()) {
      ++i;
      continue;
    }
    // The slot stays, empty, so the other tanks keep their numbers.
    const auto team = static_cast<std::uint32_t>(tank.GetTeam());
    m_present[team][tank.GetSlot()] = 0;
    --m_aliveCount[team];
    MatchEvent removed;
    removed.m_kind = MatchEvent::Kind::Removed;
    removed.m_team = tank.GetTeam();
    removed.m_slot = tank.GetSlot();
    removed.m_x = tank.GetX();
    removed.m_y = tank.GetY();
    removed.m_heading = HeadingOf(tank);
    removed.m_playerSees = TeamKnows(mc_playerTeam, tank);
    Note(removed);
    // The last tank takes the hole and is examined next.
    std::swap(m_order[i], m_order.back());
    m_order.pop_back();
  }
}

void CGameWorld::EndTurn() {
  m_executing = false;
  m_stepsDone = 0;
  ++m_turn;
  MatchEvent ended;
  ended.m_kind = MatchEvent::Kind::TurnEnded;
  Note(ended);

  const MapCell centre = m_map.GetCentre();
  bool held = false;
  for (const CTank* tank : GetTanks()) {
    if (tank->GetX() != centre.x || tank->GetY() != centre.y) continue;
    if (tank->GetTeam() != m_hillTeam) m_hillCount = 0;
    held = true;
    ++m_hillCount;
    m_hillTeam = tank->GetTeam();
  }
  if (!held) m_hillCount = 0;

  // A team with no tank left loses, unless the other has none either: a tie.
  if (m_aliveCount[0] == 0 && m_aliveCount[1] != 0) {
    m_hillCount = mc_victoryHold;
    m_hillTeam = 1;
  } else if (m_aliveCount[1] == 0 && m_aliveCount[0] != 0) {
    m_hillCount = mc_victoryHold;
    m_hillTeam = 0;
  }
  if (IsGameOver()) {
    MatchEvent won;
    won.m_kind = MatchEvent::Kind::Won;
    won.m_team = m_hillTeam;
    Note(won);
  }
}

bool CGameWorld::StopIfFinished() {
  if (IsInProgress() || !m_executing) return false;
  m_executing = false;
  MatchEvent stopped;
  stopped.m_kind = MatchEvent::Kind::Stopped;
  Note(stopped);
  return true;
}

void CGameWorld::ShellLands(const CTank& shooter, std::int32_t x, std::int32_t y) {
  MatchEvent shot;
  shot.m_kind = MatchEvent::Kind::Shot;
  shot.m_team = shooter.GetTeam();
  shot.m_slot = shooter.GetSlot();
  shot.m_fromX = shooter.GetX();
  shot.m_fromY = shooter.GetY();
  shot.m_x = x;
  shot.m_y = y;
  shot.m_heading = HeadingOf(shooter);
  Note(shot);
  HitTankAt(x, y, HeadingOf(shooter), shooter);
}

void CGameWorld::HitTankAt(std::int32_t x, std::int32_t y, std::int32_t shot, const CTank& shooter) {
  for (const std::uint16_t id : m_order) {
    CTank& tank = TankOf(id);
    if (tank.GetX() != x || tank.GetY() != y) continue;
    const bool wasAlive = !tank.IsDestroyed();
    const TankHit hit = tank.TakeHit(shot, m_map.IsRepairCell(x, y));
    const bool knows = TeamKnows(mc_playerTeam, tank);
    MatchEvent struck;
    struck.m_kind = MatchEvent::Kind::Hit;
    struck.m_team = tank.GetTeam();
    struck.m_slot = tank.GetSlot();
    struck.m_x = x;
    struck.m_y = y;
    struck.m_heading = HeadingOf(tank);
    struck.m_hit = hit;
    struck.m_destroyed = tank.IsDestroyed();
    struck.m_killed = wasAlive && tank.IsDestroyed();
    struck.m_playerSees = knows;
    Note(struck);
    if (!knows) return;
    LogEvent event;
    event.m_turn = m_turn;
    event.m_step = m_stepsDone;
    // A shooter the player's team does not see fired from the fog.
    event.m_actorSeen = TeamKnows(mc_playerTeam, shooter);
    event.m_actorTeam = shooter.GetTeam();
    event.m_actorSlot = shooter.GetSlot() + 1;
    event.m_targetTeam = tank.GetTeam();
    event.m_targetSlot = tank.GetSlot() + 1;
    event.m_side = hit.m_side;
    event.m_amount = hit.m_damage;
    m_log.Add(event);
    if (struck.m_killed) {
      event.m_kind = LogEvent::Kind::Destroy;
      m_log.Add(event);
      ++m_seenDestroyed[tank.GetTeam() == 0 ? 0 : 1];
    }
    return;
  }
}

void CGameWorld::TankMoved(const CTank& tank) {
  MatchEvent moved;
  moved.m_kind = MatchEvent::Kind::Moved;
  moved.m_team = tank.GetTeam();
  moved.m_slot = tank.GetSlot();
  Note(moved);
}

void CGameWorld::TankRepaired(const CTank& tank, std::int32_t amount) {
  MatchEvent repaired;
  repaired.m_kind = MatchEvent::Kind::Repaired;
  repaired.m_team = tank.GetTeam();
  repaired.m_slot = tank.GetSlot();
  repaired.m_x = tank.GetX();
  repaired.m_y = tank.GetY();
  repaired.m_amount = amount;
  repaired.m_playerSees = TeamKnows(mc_playerTeam, tank);
  Note(repaired);
  if (!repaired.m_playerSees) return;
  LogEvent event;
  event.m_kind = LogEvent::Kind::Repair;
  event.m_turn = m_turn;
  event.m_step = m_stepsDone;
  event.m_actorTeam = tank.GetTeam();
  event.m_actorSlot = tank.GetSlot() + 1;
  event.m_amount = amount;
  m_log.Add(event);
}
