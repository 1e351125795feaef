#include "ai/CPlanTree.h"

#include "ai/PlanScoring.h"
#include "engine/Assert.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

CPlanTree::CPlanTree(const CGameWorld& world, const CTank& tank, float aggression)
    : m_world(world), m_team(tank.GetTeam()), m_aggression(aggression) {
  // Children point into the block: it must never move.
  m_nodes.reserve(mc_maxNodes);
  Expand(NewNode(tank.GetState(), PlanAction::None, mc_turnBudget));
}

PlanNode& CPlanTree::NewNode(const TankState& state, PlanAction action, std::int32_t budget) {
  KV_ASSERT(m_nodes.size() < mc_maxNodes);
  m_nodes.emplace_back();
  PlanNode& node = m_nodes.back();
  node.m_state = state;
  node.m_action = action;
  node.m_budget = budget;
  return node;
}

bool CPlanTree::IsBlocked(const TankState& state) const {
  const CMap& map = m_world.GetMap();
  if (map.IsWallOrOutside(state.x, state.y)) return true;
  const bool seen =
      map.GetVisible(static_cast<std::uint32_t>(state.x), static_cast<std::uint32_t>(state.y),
                     static_cast<std::uint32_t>(m_team)) != 0;
  return seen && m_world.IsTankAt(state.x, state.y, m_team);
}

void CPlanTree::Expand(PlanNode& node) {
  if (IsBlocked(node.m_state)) {
    node.m_action = PlanAction::None;
    node.m_budget = 0;
    node.m_ownScore = node.m_bestScore = mc_blockedScore;
    return;
  }
  const CMap& map = m_world.GetMap();
  const auto x = static_cast<std::uint32_t>(node.m_state.x);
  const auto y = static_cast<std::uint32_t>(node.m_state.y);
  const auto team = static_cast<std::uint32_t>(m_team);
  node.m_ownScore = PlanScore(map.GetThreat(x, y, team), map.GetVuln(x, y, team), node.m_budget, m_aggression);
  node.m_bestScore = node.m_ownScore;
  if (node.m_budget <= 0) return;

  TankState right = node.m_state;
  right.Turn(true);
  TankState left = node.m_state;
  left.Turn(false);
  TankState ahead = node.m_state;
  ahead.Advance();
  TankState behind = node.m_state;
  behind.Retreat();
  node.m_children[0] = &NewNode(right, PlanAction::TurnRight, node.m_budget - 1);
  Expand(*node.m_children[0]);
  node.m_children[1] = &NewNode(left, PlanAction::TurnLeft, node.m_budget - 1);
  Expand(*node.m_children[1]);
  node.m_children[2] = &NewNode(ahead, PlanAction::Forward, node.m_budget - 1);
  Expand(*node.m_children[2]);
  node.m_children[3] = &NewNode(behind, PlanAction::Back, node.m_budget - 2);
  Expand(*node.m_children[3]);

  // Only a strictly better child wins: standing still beats moving, and an
  // earlier child a later one, when they score the same.
  for (PlanNode* child : node.m_children) {
    if (child->m_bestScore > node.m_bestScore) {
      node.m_bestChild = child;
      node.m_bestScore = child->m_bestScore;
    }
  }
}

std::vector<PlanAction> CPlanTree::GetBestActions() const {
  std::vector<PlanAction> actions;
  for (const PlanNode* node = GetRoot().m_bestChild; node; node = node->m_bestChild) {
    if (node->m_action != PlanAction::None) actions.push_back(node->m_action);
  }
  return actions;
}
