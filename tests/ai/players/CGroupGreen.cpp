#include "ai/players/CGroupGreen.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::int32_t kFiringReach = 6;    // firing cells this far from the target
constexpr std::int32_t kLeaderLeash = 3;    // the leader stays this near the group's middle ...
constexpr std::int32_t kFollowerLeash = 3;  // ... the others this near the leader's end
constexpr std::int32_t kBoldCaution = 60;   // caution under which the group makes for the centre
constexpr std::int32_t kCentreBonus = 150;  // points for ending on the centre when it is the goal

}  // namespace

void CGroupGreen::PlanTurn(CGreenSight& sight) {
  m_memory.Update(sight);
  m_search.Begin(sight, m_memory, m_seed * 7919u + sight.GetTurn());
  const std::vector<CGreenSight::Own>& own = sight.GetOwn();
  if (own.empty()) return;

  // The group's middle, and the known Blue tank nearest it.
  std::int32_t sumX = 0;
  std::int32_t sumY = 0;
  for (const CGreenSight::Own& tank : own) {
    sumX += tank.state.x;
    sumY += tank.state.y;
  }
  const auto count = static_cast<std::int32_t>(own.size());
  const MapCell middle{sumX / count, sumY / count};
  const MapCell centre = sight.GetCentre();
  const CTurnSearch::Blue* target = nullptr;
  std::int32_t nearest = 1 << 30;
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    const bool onCentre = blue.state.x == centre.x && blue.state.y == centre.y;
    const std::int32_t away = onCentre ? -1 : std::abs(blue.state.x - middle.x) + std::abs(blue.state.y - middle.y);
    if (away < nearest) {
      nearest = away;
      target = &blue;
    }
  }
  // A game that drags on is ended on the centre.
  if (m_search.GetCaution() < kBoldCaution && !m_search.IsBlueAt(centre.x, centre.y)) target = nullptr;
  std::vector<std::int32_t> goal = m_search.EmptyField();
  if (target) {
    m_search.MarkFiringCells(goal, *target, kFiringReach, true);
  } else {
    goal[static_cast<std::size_t>(m_search.Cell(centre.x, centre.y))] = 0;
  }
  m_search.Fill(goal);

  CTurnSearch::Aim advance;
  advance.field = &goal;
  advance.goalBonus = target ? 0 : kCentreBonus * 100 / m_search.GetCaution();
  advance.dangerPercent = 100;
  advance.exposurePercent = 50;

  // The leader: the tank nearest the goal.
  std::size_t leader = 0;
  for (std::size_t i = 1; i < own.size(); ++i) {
    if (m_search.StepsFrom(goal, own[i].state.x, own[i].state.y) <
        m_search.StepsFrom(goal, own[leader].state.x, own[leader].state.y)) {
      leader = i;
    }
  }
  CTurnSearch::Aim lead = advance;
  lead.anchor = middle;
  lead.leash = kLeaderLeash + count / 3;
  const TankState end = m_search.Plan(sight, own[leader], lead);

  CTurnSearch::Aim follow = advance;
  follow.goalBonus = 0;
  follow.anchor = MapCell{end.x, end.y};
  follow.leash = kFollowerLeash;
  for (std::size_t i = 0; i < own.size(); ++i) {
    if (i != leader) m_search.Plan(sight, own[i], follow);
  }
}
