#pragma once

#include <cstdint>

#include "units/TankState.h"

// The command that leads from a node of the planner's look-ahead to one of
// its children, in the order the children are made.
enum class PlanAction : std::uint8_t { TurnRight, TurnLeft, Forward, Back, None };

// One simulated state of a computer tank in the planner's look-ahead: where
// the tank would stand after the actions on the way from the root, with the
// time left in the turn, and the best that can still be reached from here.
struct PlanNode {
  static constexpr int mc_childCount = 4;

  TankState m_state;                           // simulated cell and heading; hit points copied unchanged
  PlanAction m_action = PlanAction::None;      // how the parent got here; None for the root and blocked nodes
  std::int32_t m_budget = 0;                   // time units left after the action; may be -1
  std::int32_t m_ownScore = 0;                 // score of standing in this state
  PlanNode* m_children[mc_childCount] = {};    // right, left, forward, back; null when not expanded
  PlanNode* m_bestChild = nullptr;             // first node of the best continuation; null when standing here is best
  std::int32_t m_bestScore = 0;                // greatest score in this subtree, own score included
};
