#include "ai/CShortlist.h"

#include <algorithm>
#include <utility>

#include "ai/CFireLines.h"
#include "ai/CKnownMatch.h"
#include "ai/CTankPurposes.h"
#include "ai/CTurnOptions.h"
#include "ai/DistanceField.h"
#include "units/Heading.h"
#include "units/TankHit.h"

namespace {

// Percent chance that an enemy tank is still where it stood when a shell
// comes in step 1 to 4.
constexpr std::int64_t kStillThere[TurnOrders::mc_steps] = {100, 80, 65, 55};
// Hundredths of a hit point: a step from the goal, and a kill.
constexpr std::int64_t kPerStep = 150;
constexpr std::int64_t kKill = 4000;
constexpr std::int32_t kMostSteps = 40;

}  // namespace

const std::vector<TurnOrders>& CShortlist::Get(std::size_t tank) const {
  return tank < m_lists.size() ? m_lists[tank] : m_none;
}

bool CShortlist::Rate(const CKnownMatch& known, const CFireLines& enemyLines, const std::vector<std::int32_t>* field,
                      std::size_t tank, const TurnOrders& orders, std::int64_t& rating) const {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const std::uint32_t team = tanks[tank].m_team;
  std::int64_t shots = 0;
  std::int64_t danger = 0;
  std::int32_t lastTarget = CKnownMatch::mc_none;
  std::int64_t onTarget = 0;
  for (std::int32_t step = 0; step < TurnOrders::mc_steps; ++step) {
    const TankState& pose = orders.m_poses[step];
    danger += enemyLines.DangerAt(known, step, pose);
    if (!orders.m_fires[step]) continue;
    const std::int32_t shot = HeadingIndex(pose.dx, pose.dy);
    const std::int32_t target = known.TargetAlong(pose.x, pose.y, shot, static_cast<std::int32_t>(tank));
    if (target == CKnownMatch::mc_none) continue;
    const CKnownMatch::Tank& hit = tanks[static_cast<std::size_t>(target)];
    if (hit.m_team == team) return false;
    const TankState& s = hit.m_state;
    const std::int64_t damage = HitOf(shot, HeadingIndex(s.dx, s.dy), known.IsRepairCell(s.x, s.y)).m_damage;
    onTarget = target == lastTarget ? onTarget + damage : damage;
    lastTarget = target;
    std::int64_t value = std::min<std::int64_t>(damage, s.hp) * kStillThere[step];
    if (onTarget >= s.hp) value += kKill * kStillThere[step] / 100;
    shots += value * hit.m_certainty / 100;
  }
  const TankState& end = orders.m_poses[TurnOrders::mc_steps];
  const std::int32_t steps = field ? std::min((*field)[static_cast<std::size_t>(known.Cell(end.x, end.y))], kMostSteps) : 0;
  rating = 2 * shots - danger + (known.NextShot(tank, end) - enemyLines.ExposureAt(known, end)) / 2 - kPerStep * steps;
  return true;
}

void CShortlist::Build(const CKnownMatch& known, const CFireLines& enemyLines, const CTankPurposes& purposes,
                       std::size_t perTank) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  m_lists.assign(tanks.size(), std::vector<TurnOrders>());
  perTank = std::max<std::size_t>(perTank, 2);
  // Per end cell, heading and whether it fired: the best sequence's index and rating.
  std::vector<std::pair<std::int64_t, std::size_t>> bestOf;
  std::vector<std::pair<std::int64_t, std::size_t>> ranked;
  for (std::size_t tank = 0; tank < tanks.size(); ++tank) {
    if (tanks[tank].m_team != known.GetTeam()) continue;
    CTurnOptions::Collect(known, tank, m_all);
    if (m_all.empty()) continue;
    bestOf.assign(static_cast<std::size_t>(known.CellCount()) * 8, {0, m_all.size()});
    for (std::size_t i = 0; i < m_all.size(); ++i) {
      std::int64_t rating = 0;
      if (!Rate(known, enemyLines, purposes.GetField(tank), tank, m_all[i], rating)) continue;
      const TankState& end = m_all[i].m_poses[TurnOrders::mc_steps];
      const std::size_t key = static_cast<std::size_t>(known.Cell(end.x, end.y)) * 8 +
                              static_cast<std::size_t>(HeadingIndex(end.dx, end.dy)) * 2 +
                              (FireSteps(m_all[i]) != 0 ? 1 : 0);
      if (bestOf[key].second == m_all.size() || rating > bestOf[key].first) bestOf[key] = {rating, i};
    }
    ranked.clear();
    for (const auto& best : bestOf) {
      if (best.second != m_all.size()) ranked.emplace_back(-best.first, best.second);
    }
    // The best first; alike ratings in the order the sequences were found.
    std::sort(ranked.begin(), ranked.end());
    std::vector<TurnOrders>& list = m_lists[tank];
    bool still = false;
    for (std::size_t i = 0; i < ranked.size() && list.size() < perTank; ++i) {
      list.push_back(m_all[ranked[i].second]);
      still = still || ranked[i].second == 0;
    }
    // Standing still (the first sequence) is always tried.
    if (!still) {
      if (list.size() >= perTank) list.pop_back();
      list.push_back(m_all[0]);
    }
  }
}
