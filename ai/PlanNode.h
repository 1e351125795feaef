#pragma once

#include <cstdint>

#include "units/Move.h"
#include "units/TankState.h"

// One simulated state of a computer tank in the planner's look-ahead: where
// the tank would stand after the actions on the way from the root, with the
// time left in the turn, and the best that can still be reached from here.
struct PlanNode {
  static constexpr int mc_childCount = 4;

  TankState m_state;                           // simulated cell and heading; hit points copied unchanged
  Move m_action = Move::None;                  // how the parent got here; None for the root and blocked nodes
  std::int32_t m_budget = 0;                   // time units left after the action; may be -1
  std::int32_t m_ownScore = 0;                 // score of standing in this state
  PlanNode* m_children[mc_childCount] = {};    // one per move, in the moves' order; null when not expanded
  PlanNode* m_bestChild = nullptr;             // first node of the best continuation; null when standing here is best
  std::int32_t m_bestScore = 0;                // greatest score in this subtree, own score included
};
