#include "ai/CShortlist.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "ai/CEnemyForecast.h"
#include "ai/CFireLines.h"
#include "ai/CKnownMatch.h"
#include "ai/CTankPurposes.h"
#include "ai/CTurnOptions.h"
#include "ai/DistanceField.h"
#include "units/Heading.h"
#include "units/TankHit.h"

namespace {

constexpr std::size_t kPlans = CEnemyForecast::mc_plans;
constexpr std::int32_t kSteps = TurnOrders::mc_steps;
// Hundredths of a hit point: a step from the goal, and a kill.
constexpr std::int64_t kPerStep = 150;
constexpr std::int64_t kKill = 4000;
constexpr std::int32_t kMostSteps = 40;

}  // namespace

const std::vector<TurnOrders>& CShortlist::Get(std::size_t tank) const {
  return tank < m_lists.size() ? m_lists[tank] : m_none;
}

void CShortlist::MarkForecast(const CKnownMatch& known, const CEnemyForecast& forecast) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const auto cells = static_cast<std::size_t>(known.CellCount());
  m_forecastAt.assign(kPlans * kSteps * cells, -1);
  m_forecastPoses.assign(kPlans * kSteps * tanks.size(), TankState{});
  for (std::size_t plan = 0; plan < forecast.GetPlanCount(); ++plan) {
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (tanks[i].m_team == known.GetTeam()) continue;
      for (std::int32_t step = 0; step < kSteps; ++step) {
        const std::size_t at = plan * kSteps + static_cast<std::size_t>(step);
        const TankState& pose = forecast.GetOrders(plan, i).m_poses[step];
        m_forecastPoses[at * tanks.size() + i] = pose;
        m_forecastAt[at * cells + static_cast<std::size_t>(known.Cell(pose.x, pose.y))] = static_cast<std::int16_t>(i);
      }
    }
  }
}

std::int32_t CShortlist::ForecastAt(std::size_t plan, std::int32_t step, std::int32_t cell) const {
  const std::size_t cells = m_forecastAt.size() / (kPlans * kSteps);
  return m_forecastAt[(plan * kSteps + static_cast<std::size_t>(step)) * cells + static_cast<std::size_t>(cell)];
}

std::int32_t CShortlist::ForecastTarget(const CKnownMatch& known, std::size_t tank, std::size_t plan, std::int32_t step,
                                        const TankState& pose) const {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  for (std::int32_t x = pose.x + pose.dx, y = pose.y + pose.dy; known.IsOpen(x, y); x += pose.dx, y += pose.dy) {
    const std::int32_t enemy = ForecastAt(plan, step, known.Cell(x, y));
    if (enemy >= 0) return enemy;
    const std::int32_t at = known.TankAt(x, y);
    if (at != CKnownMatch::mc_none && static_cast<std::size_t>(at) != tank &&
        tanks[static_cast<std::size_t>(at)].m_team == tanks[tank].m_team) {
      return CKnownMatch::mc_none;
    }
  }
  return CKnownMatch::mc_none;
}

bool CShortlist::Rate(const CKnownMatch& known, const CFireLines& enemyLines, const std::vector<std::int32_t>* field,
                      std::size_t tank, const TurnOrders& orders, Rated& rated) const {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  std::int64_t danger = 0;
  rated.shots = 0;
  // Per plan, the tank the last shot met and what the shots dealt it in a row.
  std::int32_t lastTarget[kPlans];
  std::int64_t onTarget[kPlans] = {};
  std::fill(lastTarget, lastTarget + kPlans, CKnownMatch::mc_none);
  for (std::int32_t step = 0; step < kSteps; ++step) {
    const TankState& pose = orders.m_poses[step];
    danger += enemyLines.DangerAt(known, step, pose);
    if (!orders.m_fires[step]) continue;
    const std::int32_t shot = HeadingIndex(pose.dx, pose.dy);
    const std::int32_t standing = known.TargetAlong(pose.x, pose.y, shot, static_cast<std::int32_t>(tank));
    if (standing != CKnownMatch::mc_none && tanks[static_cast<std::size_t>(standing)].m_team == tanks[tank].m_team) {
      return false;
    }
    for (std::size_t plan = 0; plan < kPlans; ++plan) {
      const std::int32_t target = ForecastTarget(known, tank, plan, step, pose);
      if (target == CKnownMatch::mc_none) continue;
      const auto index = static_cast<std::size_t>(target);
      const TankState& s = m_forecastPoses[(plan * kSteps + static_cast<std::size_t>(step)) * tanks.size() + index];
      const std::int64_t damage = HitOf(shot, HeadingIndex(s.dx, s.dy), known.IsRepairCell(s.x, s.y)).m_damage;
      onTarget[plan] = target == lastTarget[plan] ? onTarget[plan] + damage : damage;
      lastTarget[plan] = target;
      std::int64_t value = std::min<std::int64_t>(damage, s.hp) * 100;
      if (onTarget[plan] >= s.hp) value += kKill;
      rated.shots += value * CEnemyForecast::mc_likelihood[plan] / 100 * tanks[index].m_certainty / 100;
    }
  }
  const TankState& end = orders.m_poses[kSteps];
  const std::int32_t steps = field ? std::min((*field)[static_cast<std::size_t>(known.Cell(end.x, end.y))], kMostSteps) : 0;
  rated.rating =
      2 * rated.shots - danger + (known.NextShot(tank, end) - enemyLines.ExposureAt(known, end)) / 2 - kPerStep * steps;
  return true;
}

void CShortlist::Build(const CKnownMatch& known, const CFireLines& enemyLines, const CEnemyForecast& forecast,
                       const CTankPurposes& purposes, std::size_t perTank) {
  MarkForecast(known, forecast);
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  m_lists.assign(tanks.size(), std::vector<TurnOrders>());
  perTank = std::max<std::size_t>(perTank, 2);
  // Per sequence: its end cell, heading and shooting steps, less its rating, its index.
  std::vector<std::tuple<std::size_t, std::int64_t, std::size_t>> keyed;
  std::vector<std::pair<std::int64_t, std::size_t>> ranked;
  for (std::size_t tank = 0; tank < tanks.size(); ++tank) {
    if (tanks[tank].m_team != known.GetTeam()) continue;
    CTurnOptions::Collect(known, tank, m_all);
    if (m_all.empty()) continue;
    keyed.clear();
    std::size_t shooter = 0;  // the sequence dealing the most damage, the better rated of alike ones
    Rated best{0, 0};
    for (std::size_t i = 0; i < m_all.size(); ++i) {
      Rated rated{0, 0};
      if (!Rate(known, enemyLines, purposes.GetField(tank), tank, m_all[i], rated)) continue;
      if (rated.shots > best.shots || (rated.shots == best.shots && rated.shots > 0 && rated.rating > best.rating)) {
        shooter = i;
        best = rated;
      }
      const TankState& end = m_all[i].m_poses[kSteps];
      const auto cell = static_cast<std::size_t>(known.Cell(end.x, end.y));
      const auto heading = static_cast<std::size_t>(HeadingIndex(end.dx, end.dy));
      keyed.emplace_back((cell * 4 + heading) * 16 + FireSteps(m_all[i]), -rated.rating, i);
    }
    // The best of each key, then the best of those first; alike ratings in
    // the order the sequences were found.
    std::sort(keyed.begin(), keyed.end());
    ranked.clear();
    for (std::size_t i = 0; i < keyed.size(); ++i) {
      if (i == 0 || std::get<0>(keyed[i]) != std::get<0>(keyed[i - 1])) {
        ranked.emplace_back(std::get<1>(keyed[i]), std::get<2>(keyed[i]));
      }
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<TurnOrders>& list = m_lists[tank];
    bool still = false;
    bool shoots = shooter == 0;
    for (std::size_t i = 0; i < ranked.size() && list.size() < perTank; ++i) {
      list.push_back(m_all[ranked[i].second]);
      still = still || ranked[i].second == 0;
      shoots = shoots || ranked[i].second == shooter;
    }
    // Standing still (the first sequence) and the most damaging one are always tried.
    if (!shoots) {
      if (list.size() >= perTank) list.pop_back();
      list.push_back(m_all[shooter]);
    }
    if (!still) {
      if (list.size() >= perTank) list.erase(list.end() - (shoots ? 1 : 2));
      list.push_back(m_all[0]);
    }
  }
}
