#include "ai/CTankPlanner.h"

#include <utility>

#include "ai/CPlanTree.h"
#include "ai/PlanScoring.h"
#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"

CTankPlanner::CTankPlanner(const CGameWorld& world)
    : CTankPlanner(world, [] { return GetRandomTable().Next(); }) {}

CTankPlanner::CTankPlanner(const CGameWorld& world, RandomDraw draw) : m_world(world), m_draw(std::move(draw)) {}

void CTankPlanner::PlanTurn(CTank& tank) const {
  // A tank that has reached its objective goes for the centre cell from then on.
  const PathNode& objective = tank.GetObjective();
  if (objective.x == tank.GetX() && objective.y == tank.GetY()) tank.SetObjective(m_world.GetCentreGoal());

  const float aggression = PlanAggression(tank.GetHitPoints(), m_world.GetHillCount());
  if (QueueLookAhead(tank, aggression) == 0 && !QueueFire(tank) && tank.GetCommands().empty()) QueueRoute(tank);
  tank.SetHitFromBehind(false);
}

std::int32_t CTankPlanner::QueueLookAhead(CTank& tank, float aggression) const {
  const CPlanTree tree(m_world, tank, aggression);
  if (!tree.GetRoot().m_bestChild) return 0;
  tank.ClearCommands();
  std::int32_t cost = 0;
  for (const Move move : tree.GetBestActions()) {
    tank.AddMove(move);
    cost += MoveTime(move);
  }
  return cost;
}

bool CTankPlanner::QueueFire(CTank& tank) const {
  const TankState& state = tank.GetState();
  const bool ahead = tank.CanHit(state.x, state.y, state.dx, state.dy);
  const bool left = tank.CanHit(state.x, state.y, -state.dy, state.dx);
  // A shell from behind came from an enemy there, seen or not.
  const bool behind = tank.WasHitFromBehind() || tank.CanHit(state.x, state.y, -state.dx, -state.dy);
  const bool right = tank.CanHit(state.x, state.y, state.dy, -state.dx);
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
  const CMap& map = m_world.GetMap();
  const TankState& state = tank.GetState();
  const PathNode start{state.x, state.y, HeadingIndex(state.dx, state.dy)};
  PathNode goal = tank.GetObjective();
  if (tank.GetHitPoints() <= mc_repairHitPoints) {
    const auto width = static_cast<std::int32_t>(map.GetWidth());
    const auto height = static_cast<std::int32_t>(map.GetHeight());
    goal = m_draw() >= mc_topLeftRepairDraw ? PathNode{1, height - 2, kAnyHeading}
                                            : PathNode{width - 2, 1, kAnyHeading};
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
  tank.SetPath(finder);
}
