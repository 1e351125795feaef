#include "ai/CKnownMatch.h"

#include <algorithm>
#include <cstdlib>

#include "ai/CEnemyMemory.h"
#include "units/CTank.h"
#include "units/Heading.h"
#include "units/TankHit.h"
#include "world/CTeamView.h"

namespace {

// Steps a tank takes in a turn at most.
constexpr std::int32_t kTurnSteps = 4;
// Percent of the certainty left to a tank that moved out of sight.
constexpr std::int32_t kMovedPercent = 60;
// Percent of a shell at the next turn's first shots along the line faced, a
// side line and the line behind.
constexpr std::int64_t kNextShot[3] = {100, 75, 45};

}  // namespace

void CKnownMatch::Build(const CTeamView& view, const CEnemyMemory& memory) {
  m_team = view.GetTeam();
  const CMap& map = view.GetMap();
  m_tanks.clear();
  m_match.SetUp(map, 0, 0);
  m_width = map.HasGrid() ? static_cast<std::int32_t>(map.GetWidth()) : 0;
  m_height = map.HasGrid() ? static_cast<std::int32_t>(map.GetHeight()) : 0;
  m_walls.assign(static_cast<std::size_t>(CellCount()), 0);
  m_tankAt.assign(static_cast<std::size_t>(CellCount()), static_cast<std::int16_t>(mc_none));
  m_repairCount = 0;
  m_unseenEnemies = 0;
  if (!map.HasGrid()) return;
  for (std::size_t slot = 0; slot < view.GetEnemySlots(); ++slot) m_unseenEnemies += view.GetSeenEnemy(slot) ? 0 : 1;
  for (std::int32_t y = 0; y < m_height; ++y) {
    for (std::int32_t x = 0; x < m_width; ++x) m_walls[static_cast<std::size_t>(Cell(x, y))] = map.IsWall(x, y);
  }
  m_centre = map.GetCentre();
  for (std::uint32_t i = 0; i < CMap::mc_repairCells; ++i) {
    const MapCell cell = map.GetRepairCell(i);
    if (map.IsRepairCell(cell.x, cell.y)) m_repair[m_repairCount++] = cell;
  }

  // The team's own tanks claim their cells first: a memory of an enemy on
  // one of them is out of date.
  std::vector<std::uint8_t> taken(static_cast<std::size_t>(CellCount()), 0);
  for (const CTank* tank : view.GetOwnTanks()) {
    if (tank && IsOpen(tank->GetX(), tank->GetY())) taken[static_cast<std::size_t>(Cell(tank->GetX(), tank->GetY()))] = 1;
  }
  const std::int32_t enemy = static_cast<std::int32_t>(GetEnemy());
  bool holderKnown = false;
  for (std::uint32_t slot = 0; slot < CEnemyMemory::mc_maxTanks; ++slot) {
    const CEnemyMemory::Sighting& sighting = memory.Get(slot);
    TankState state = sighting.m_state;
    if (!sighting.m_known || !IsOpen(state.x, state.y)) continue;
    constexpr std::uint32_t kAges = sizeof mc_certainty / sizeof mc_certainty[0];
    std::int32_t certainty = mc_certainty[std::min(sighting.m_age, kAges - 1)];
    // A tank that moved out of sight is taken to stand on the nearest cell
    // the team does not see, facing the team's nearest tank.
    if (sighting.m_moved) {
      const std::int32_t reach = static_cast<std::int32_t>(sighting.m_age) * kTurnSteps + 1;
      if (!NearestUnseen(view, taken, reach, state)) continue;
      const TankState facing = InferredHolder(view, state);
      state.dx = facing.dx;
      state.dy = facing.dy;
      certainty = certainty * kMovedPercent / 100;
    }
    const auto cell = static_cast<std::size_t>(Cell(state.x, state.y));
    if (taken[cell]) continue;
    taken[cell] = 1;
    Add(Tank{GetEnemy(), slot, state, sighting.m_age, false, certainty});
    holderKnown = holderKnown || (state.x == m_centre.x && state.y == m_centre.y);
  }
  // The count on the screen tells that an enemy stands on the centre, seen or not.
  const bool enemyHolds = view.GetHillTeam() == enemy && view.GetHillCount() > 0;
  if (enemyHolds && !holderKnown && IsOpen(m_centre.x, m_centre.y) &&
      !taken[static_cast<std::size_t>(Cell(m_centre.x, m_centre.y))]) {
    // A slot the memory does not hold, else one past the enemy's slots.
    std::uint32_t slot = 0;
    while (slot < CEnemyMemory::mc_maxTanks && memory.Get(slot).m_known) ++slot;
    if (slot >= view.GetEnemySlots()) slot = static_cast<std::uint32_t>(view.GetEnemySlots());
    TankState holder;
    holder.x = m_centre.x;
    holder.y = m_centre.y;
    Add(Tank{GetEnemy(), slot, InferredHolder(view, holder), 0, true, 100});
  }
  for (const CTank* tank : view.GetOwnTanks()) {
    if (!tank || !IsOpen(tank->GetX(), tank->GetY())) continue;
    Add(Tank{m_team, tank->GetSlot(), tank->GetState(), 0, false, 100});
    m_match.GetTeamTanks(m_team)[tank->GetSlot()]->SetDelay(tank->GetDelay());
  }
  MatchTally tally = m_match.GetTally();
  tally.m_turn = view.GetTurn();
  tally.m_hillTeam = view.GetHillTeam();
  tally.m_hillCount = view.GetHillCount();
  m_match.SetTally(tally);
  m_match.RefreshVisibility();
  m_match.ClearEvents();
}

void CKnownMatch::Add(const Tank& tank) {
  m_match.AddTank(tank.m_team, tank.m_state, static_cast<std::int32_t>(tank.m_slot));
  m_tankAt[static_cast<std::size_t>(Cell(tank.m_state.x, tank.m_state.y))] =
      static_cast<std::int16_t>(m_tanks.size());
  m_tanks.push_back(tank);
}

TankState CKnownMatch::InferredHolder(const CTeamView& view, const TankState& at) const {
  TankState state = at;
  state.dx = 0;
  state.dy = 1;
  state.hp = CTank::mc_fullHitPoints;
  std::int32_t nearest = -1;
  for (const CTank* tank : view.GetOwnTanks()) {
    if (!tank) continue;
    const std::int32_t dx = tank->GetX() - at.x;
    const std::int32_t dy = tank->GetY() - at.y;
    const std::int32_t away = std::abs(dx) + std::abs(dy);
    if (nearest >= 0 && away >= nearest) continue;
    nearest = away;
    state.dx = std::abs(dx) >= std::abs(dy) ? (dx > 0 ? 1 : -1) : 0;
    state.dy = state.dx == 0 ? (dy > 0 ? 1 : -1) : 0;
  }
  return state;
}

bool CKnownMatch::NearestUnseen(const CTeamView& view, const std::vector<std::uint8_t>& taken, std::int32_t reach,
                                TankState& state) const {
  std::vector<std::int32_t> steps(static_cast<std::size_t>(CellCount()), -1);
  std::vector<std::int32_t> queue{Cell(state.x, state.y)};
  steps[static_cast<std::size_t>(queue[0])] = 0;
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const std::int32_t cell = queue[head];
    const std::int32_t x = cell % m_width;
    const std::int32_t y = cell / m_width;
    if (!view.Sees(x, y) && !taken[static_cast<std::size_t>(cell)]) {
      state.x = x;
      state.y = y;
      return true;
    }
    if (steps[static_cast<std::size_t>(cell)] >= reach) continue;
    for (std::int32_t d = 0; d < 4; ++d) {
      const HeadingVector step = HeadingFromIndex(d);
      if (!IsOpen(x + step.dx, y + step.dy)) continue;
      const auto next = static_cast<std::size_t>(Cell(x + step.dx, y + step.dy));
      if (steps[next] >= 0) continue;
      steps[next] = steps[static_cast<std::size_t>(cell)] + 1;
      queue.push_back(static_cast<std::int32_t>(next));
    }
  }
  return false;
}

std::int32_t CKnownMatch::IndexOf(std::uint32_t team, std::uint32_t slot) const {
  for (std::size_t i = 0; i < m_tanks.size(); ++i) {
    if (m_tanks[i].m_team == team && m_tanks[i].m_slot == slot) return static_cast<std::int32_t>(i);
  }
  return mc_none;
}

bool CKnownMatch::IsRepairCell(std::int32_t x, std::int32_t y) const {
  for (std::int32_t i = 0; i < m_repairCount; ++i) {
    if (m_repair[i].x == x && m_repair[i].y == y) return true;
  }
  return false;
}

std::int32_t CKnownMatch::TankAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return mc_none;
  return m_tankAt[static_cast<std::size_t>(Cell(x, y))];
}

std::int32_t CKnownMatch::TargetAlong(std::int32_t x, std::int32_t y, std::int32_t d, std::int32_t ignore) const {
  const HeadingVector step = HeadingFromIndex(d);
  for (x += step.dx, y += step.dy; IsOpen(x, y); x += step.dx, y += step.dy) {
    const std::int32_t at = m_tankAt[static_cast<std::size_t>(Cell(x, y))];
    if (at != mc_none && at != ignore) return at;
  }
  return mc_none;
}

std::int64_t CKnownMatch::NextShot(std::size_t shooter, const TankState& pose) const {
  if (shooter >= m_tanks.size()) return 0;
  const std::int32_t facing = HeadingIndex(pose.dx, pose.dy);
  std::int64_t best = 0;
  for (std::int32_t d = 0; d < 4; ++d) {
    const std::int32_t target = TargetAlong(pose.x, pose.y, d, static_cast<std::int32_t>(shooter));
    if (target == mc_none) continue;
    const Tank& hit = m_tanks[static_cast<std::size_t>(target)];
    if (hit.m_team == m_tanks[shooter].m_team) continue;
    const TankState& s = hit.m_state;
    const std::int64_t damage =
        std::min<std::int64_t>(HitOf(d, HeadingIndex(s.dx, s.dy), IsRepairCell(s.x, s.y)).m_damage, s.hp);
    const std::int32_t turns = QuarterTurns(facing, d);
    best = std::max(best, damage * kNextShot[turns == 0 ? 0 : turns == 2 ? 2 : 1] * hit.m_certainty / 100);
  }
  return best;
}
