#include "ai/CEnemyForecast.h"

#include <limits>

#include "ai/CFireLines.h"
#include "ai/CKnownMatch.h"
#include "ai/CTurnOptions.h"
#include "ai/DistanceField.h"
#include "core/Assert.h"
#include "units/Heading.h"
#include "units/TankHit.h"

namespace {

// Percent chance that a tank that stood in a line at the turn end is still
// in it when a shell comes in step 1 to 4.
constexpr std::int32_t kStillThere[TurnOrders::mc_steps] = {100, 80, 65, 55};
// A step nearer the centre, in hundredths of a hit point, as each way of playing weighs it.
constexpr std::int32_t kFightStep = 50;
constexpr std::int32_t kHideStep = 80;
constexpr std::int32_t kAdvanceStep = 300;

constexpr std::int32_t kWorst = std::numeric_limits<std::int32_t>::min();

}  // namespace

const TurnOrders& CEnemyForecast::GetOrders(std::size_t plan, std::size_t tank) const {
  KV_ASSERT(plan < mc_plans && tank < m_plans[plan].size());
  return m_plans[plan][tank];
}

CEnemyForecast::Rated CEnemyForecast::Rate(const CKnownMatch& known, const CFireLines& lines, std::size_t tank,
                                           const TurnOrders& orders, const std::vector<std::int32_t>& toCentre) const {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const std::uint32_t team = tanks[tank].m_team;
  Rated rated{0, 0, 0, 0, 0, true};
  for (std::int32_t step = 0; step < TurnOrders::mc_steps; ++step) {
    const TankState& pose = orders.m_poses[step];
    rated.danger += lines.DangerAt(known, step, pose);
    if (!orders.m_fires[step]) continue;
    const std::int32_t shot = HeadingIndex(pose.dx, pose.dy);
    // The tank's own cell at the turn end is empty once it has moved.
    const std::int32_t target = known.TargetAlong(pose.x, pose.y, shot, static_cast<std::int32_t>(tank));
    if (target == CKnownMatch::mc_none) continue;
    const CKnownMatch::Tank& hit = tanks[static_cast<std::size_t>(target)];
    if (hit.m_team == team) {
      rated.valid = false;
      return rated;
    }
    const TankState& s = hit.m_state;
    const std::int32_t damage =
        HitOf(shot, HeadingIndex(s.dx, s.dy), known.IsRepairCell(s.x, s.y)).m_damage * kStillThere[step];
    rated.shots += damage < s.hp * 100 ? damage : s.hp * 100;
  }
  const TankState& end = orders.m_poses[TurnOrders::mc_steps];
  rated.exposure = lines.ExposureAt(known, end);
  rated.steps = toCentre[static_cast<std::size_t>(known.Cell(end.x, end.y))];
  rated.threat = static_cast<std::int32_t>(known.NextShot(tank, end));
  return rated;
}

TurnOrders CEnemyForecast::ReflexOrders(const CKnownMatch& known, std::size_t tank) {
  const CKnownMatch::Tank& own = known.GetTanks()[tank];
  const TankState& s = own.m_state;
  TurnOrders orders;
  for (TankState& pose : orders.m_poses) pose = s;
  const std::int32_t target = known.TargetAlong(s.x, s.y, HeadingIndex(s.dx, s.dy));
  if (target != CKnownMatch::mc_none && known.GetTanks()[static_cast<std::size_t>(target)].m_team == own.m_team) {
    return orders;
  }
  if (target != CKnownMatch::mc_none) {
    // At the tank in its line: in the first and third steps.
    orders.m_commands[0] = CommandKind::Fire;
    orders.m_commands[1] = CommandKind::Fire;
    orders.m_count = 2;
    orders.m_fires[0] = true;
    orders.m_fires[2] = true;
    return orders;
  }
  // Along its empty line, at whatever steps into it: in the second and fourth steps.
  orders.m_commands[0] = CommandKind::Wait;
  orders.m_commands[1] = CommandKind::Fire;
  orders.m_commands[2] = CommandKind::Fire;
  orders.m_count = 3;
  orders.m_fires[1] = true;
  orders.m_fires[3] = true;
  return orders;
}

void CEnemyForecast::Build(const CKnownMatch& known, const CFireLines& lines) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  for (std::vector<TurnOrders>& plan : m_plans) plan.assign(tanks.size(), TurnOrders{});
  std::vector<std::int32_t> toCentre = EmptyField(known);
  const MapCell centre = known.GetCentre();
  if (known.IsOpen(centre.x, centre.y)) toCentre[static_cast<std::size_t>(known.Cell(centre.x, centre.y))] = 0;
  FillDistances(known, toCentre, 1u << known.GetTeam());

  for (std::size_t tank = 0; tank < tanks.size(); ++tank) {
    if (tanks[tank].m_team == known.GetTeam()) continue;
    CTurnOptions::Collect(known, tank, m_options);
    std::int32_t best[mc_plans] = {kWorst, kWorst, kWorst, kWorst};
    std::size_t chosen[mc_plans] = {0, 0, 0, 0};
    bool anyShot = false;
    for (std::size_t i = 0; i < m_options.size(); ++i) {
      const Rated r = Rate(known, lines, tank, m_options[i], toCentre);
      if (!r.valid) continue;
      const std::int32_t steps = r.steps >= kFarAway ? 0 : r.steps;
      const std::int32_t score[mc_plans] = {
          2 * r.shots - r.danger + (r.threat - r.exposure) / 2 - kFightStep * steps,
          r.shots / 2 - 2 * r.danger - 2 * r.exposure + r.threat / 2 - kHideStep * steps,
          kWorst,
          r.shots - r.danger / 2 - r.exposure / 4 - kAdvanceStep * steps,
      };
      for (std::size_t plan = 0; plan < mc_plans; ++plan) {
        if (plan == static_cast<std::size_t>(Mood::Fight) && r.shots == 0) continue;
        if (score[plan] > best[plan]) {
          best[plan] = score[plan];
          chosen[plan] = i;
        }
      }
      anyShot = anyShot || r.shots > 0;
    }
    const auto fight = static_cast<std::size_t>(Mood::Fight);
    const auto advance = static_cast<std::size_t>(Mood::Advance);
    if (!anyShot) chosen[fight] = chosen[advance];
    for (std::size_t plan = 0; plan < mc_plans; ++plan) {
      if (!m_options.empty()) m_plans[plan][tank] = m_options[chosen[plan]];
    }
    m_plans[static_cast<std::size_t>(Mood::Reflex)][tank] = ReflexOrders(known, tank);
  }
}
