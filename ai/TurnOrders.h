#pragma once

#include <cstdint>

#include "units/TankCommand.h"
#include "units/TankState.h"

class CMap;
class CTank;

// One tank's commands for a coming turn as the Hard computer tries them: at
// most four, one for each step of a turn, with where they lead. A fire and a
// move back keep the tank busy for the step after theirs.
struct TurnOrders {
  static constexpr std::int32_t mc_steps = 4;  // steps in a turn

  CommandKind m_commands[mc_steps] = {};  // in order; none past m_count
  std::int32_t m_count = 0;               // commands used
  TankState m_poses[mc_steps + 1];        // the tank at the start of each step, and after the last
  bool m_fires[mc_steps] = {};            // it fires in the step, from the pose at its start
  std::int32_t m_busyAfter = 0;           // first steps of the next turn it is still busy
};

// Replaces the tank's queue by the orders' commands (a move into a wall or
// off the map is not queued, as for any planner).
void QueueOrders(CTank& tank, const TurnOrders& orders, const CMap& map);
// The same orders: the same commands in the same order.
bool SameOrders(const TurnOrders& a, const TurnOrders& b);
// The steps in which the orders fire, one bit each (bit 0 the first step).
std::uint32_t FireSteps(const TurnOrders& orders);
