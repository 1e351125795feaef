#pragma once

#include <cstdint>
#include <functional>

class CMap;
class CTank;
class CTeamView;
class CThreatMaps;

// Chooses a computer tank's commands for the coming turn, in three stages,
// each tried only when the one before it queued nothing:
//  1. the look-ahead (CPlanTree): when some sequence of turns and moves ends
//     better than standing still, its actions replace the queue;
//  2. the firing decision: an enemy the team sees in a clear line ahead, to
//     the left, to the right or behind (or a hit from behind since the last
//     planning) is turned to and fired at;
//  3. the route: a tank left without commands is sent along a found path to a
//     repair cell when it is badly damaged, otherwise to its objective.
// Planned tanks follow the team's threat and vulnerability layers, which the
// computer rebuilds before the team is planned.
class CTankPlanner {
 public:
  // A tank with this many hit points or fewer heads for a repair cell.
  static constexpr std::int32_t mc_repairHitPoints = 30;
  // A draw of this or more from the random table picks the top-left repair
  // cell, a smaller one the bottom-right.
  static constexpr std::int32_t mc_topLeftRepairDraw = 16384;

  // The source of the repair-cell choice: a value from 0 to 32767.
  using RandomDraw = std::function<std::int32_t()>;

  // Plans on the team's view and layers (which must outlive the planner),
  // drawing from `draw`.
  CTankPlanner(const CTeamView& view, const CThreatMaps& layers, RandomDraw draw);

  // Replaces or keeps the queue of one of the team's tanks.
  void PlanTurn(CTank& tank) const;

  // Would a shell from cell (px, py) along (dx, dy) meet an enemy before a
  // friend or a wall, as far as the team sees? Tanks on cells the team does
  // not see are passed through.
  static bool CanHit(const CTeamView& view, std::int32_t px, std::int32_t py, std::int32_t dx, std::int32_t dy);

 private:
  // Queues the look-ahead's best actions; returns their time cost (0: none).
  std::int32_t QueueLookAhead(CTank& tank, float aggression) const;
  // Turns to and fires at a visible enemy in one of the four directions;
  // false when there is none.
  bool QueueFire(CTank& tank) const;
  // Replaces the queue by a path to a repair cell or to the objective.
  void QueueRoute(CTank& tank) const;

  const CTeamView& m_view;       // the battlefield, the tanks as the team knows them, the turn-end count
  const CThreatMaps& m_layers;   // the team's threat and vulnerability
  RandomDraw m_draw;             // where the repair-cell choice comes from
};
