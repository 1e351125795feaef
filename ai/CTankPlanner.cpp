#include "ai/CTankPlanner.h"

#include <utility>

#include "ai/CPlanTree.h"
#include "ai/PlanScoring.h"
#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "units/CTank.h"
#include "world/CTeamView.h"

CTankPlanner::CTankPlanner(const CTeamView& view, const CThreatMaps& layers, RandomDraw draw)
    : m_view(view), m_layers(layers), m_draw(std::move(draw)) {}

void CTankPlanner::PlanTurn(CTank& tank) const {
  // A tank that has reached its objective goes for the centre cell from then on.
  const PathNode& objective = tank.GetObjective();
  if (objective.x == tank.GetX() && objective.y == tank.GetY()) {
    const MapCell centre = m_view.GetMap().GetCentre();
    tank.SetObjective(PathNode{centre.x, centre.y, kAnyHeading});
  }

  const float aggression = PlanAggression(tank.GetHitPoints(), m_view.GetHillCount());
  if (QueueLookAhead(tank, aggression) == 0 && !QueueFire(tank) && tank.GetCommands().empty()) QueueRoute(tank);
  tank.SetHitFromBehind(false);
}

std::int32_t CTankPlanner::QueueLookAhead(CTank& tank, float aggression) const {
  const CPlanTree tree(m_view, m_layers, tank, aggression);
  if (!tree.GetRoot().m_bestChild) return 0;
  tank.ClearCommands();
  std::int32_t cost = 0;
  for (const Move move : tree.GetBestActions()) {
    tank.AddMove(move, m_view.GetMap());
    cost += MoveTime(move);
  }
  return cost;
}

bool CTankPlanner::CanHit(const CTeamView& view, std::int32_t px, std::int32_t py, std::int32_t dx, std::int32_t dy) {
  const auto team = static_cast<std::int32_t>(view.GetTeam());
  std::int32_t x = px;
  std::int32_t y = py;
  for (;;) {
    if (view.GetMap().IsWallOrOutside(x, y)) return false;
    const bool seen = view.Sees(x, y);
    if (seen && view.IsTankAt(x, y, team)) return true;
    const bool start = x == px && y == py;
    if (!start && seen && view.IsTankAt(x, y, CTank::mc_noTeam)) return false;
    // A shell that does not travel meets nothing beyond its start.
    if (dx == 0 && dy == 0) return false;
    x += dx;
    y += dy;
  }
}

bool CTankPlanner::QueueFire(CTank& tank) const {
  const TankState& state = tank.GetState();
  const bool ahead = CanHit(m_view, state.x, state.y, state.dx, state.dy);
  const bool left = CanHit(m_view, state.x, state.y, -state.dy, state.dx);
  // A shell from behind came from an enemy there, seen or not.
  const bool behind = tank.WasHitFromBehind() || CanHit(m_view, state.x, state.y, -state.dx, -state.dy);
  const bool right = CanHit(m_view, state.x, state.y, state.dy, -state.dx);
  if (!ahead && !left && !behind && !right) return false;

  tank.ClearCommands();
  if (ahead) {
    tank.AddFire();
    tank.AddFire();
  } else if (left) {
    tank.AddTurn(false);
    tank.AddFire();
    tank.AddFire();
  } else if (right) {
    tank.AddTurn(true);
    tank.AddFire();
    tank.AddFire();
  } else {
    tank.AddTurn(true);
    tank.AddTurn(true);
    tank.AddFire();
  }
  return true;
}

void CTankPlanner::QueueRoute(CTank& tank) const {
  const CMap& map = m_view.GetMap();
  const TankState& state = tank.GetState();
  const PathNode start{state.x, state.y, HeadingIndex(state.dx, state.dy)};
  PathNode goal = tank.GetObjective();
  if (tank.GetHitPoints() <= mc_repairHitPoints) {
    const MapCell repair = map.GetRepairCell(m_draw() >= mc_topLeftRepairDraw ? 0 : 1);
    goal = PathNode{repair.x, repair.y, kAnyHeading};
  }
  // A goal walled off from the tank has no route: the search would only
  // learn that after trying every state it can reach.
  if (!map.AreConnected(start.x, start.y, goal.x, goal.y)) {
    tank.ClearCommands();
    return;
  }
  CPathFinder finder(map);
  finder.Start(start, goal, true);
  while (finder.IsActive()) finder.Update();
  tank.SetPath(finder, map);
}
