#include "ai/CPlanTree.h"

#include "ai/CThreatMaps.h"
#include "ai/PlanScoring.h"
#include "core/Assert.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CTeamView.h"

CPlanTree::CPlanTree(const CTeamView& view, const CThreatMaps& layers, const CTank& tank, float aggression)
    : m_view(view), m_layers(layers), m_aggression(aggression) {
  // Children point into the block: it must never move.
  m_nodes.reserve(mc_maxNodes);
  Expand(NewNode(tank.GetState(), Move::None, mc_turnBudget));
}

PlanNode& CPlanTree::NewNode(const TankState& state, Move action, std::int32_t budget) {
  KV_ASSERT(m_nodes.size() < mc_maxNodes);
  m_nodes.emplace_back();
  PlanNode& node = m_nodes.back();
  node.m_state = state;
  node.m_action = action;
  node.m_budget = budget;
  return node;
}

bool CPlanTree::IsBlocked(const TankState& state) const {
  if (m_view.GetMap().IsWallOrOutside(state.x, state.y)) return true;
  return m_view.Sees(state.x, state.y) && m_view.IsTankAt(state.x, state.y, static_cast<std::int32_t>(m_view.GetTeam()));
}

void CPlanTree::Expand(PlanNode& node) {
  if (IsBlocked(node.m_state)) {
    node.m_action = Move::None;
    node.m_budget = 0;
    node.m_ownScore = node.m_bestScore = mc_blockedScore;
    return;
  }
  const auto x = static_cast<std::uint32_t>(node.m_state.x);
  const auto y = static_cast<std::uint32_t>(node.m_state.y);
  node.m_ownScore = PlanScore(m_layers.GetThreat(x, y), m_layers.GetVuln(x, y), node.m_budget, m_aggression);
  node.m_bestScore = node.m_ownScore;
  if (node.m_budget <= 0) return;

  for (int i = 0; i < PlanNode::mc_childCount; ++i) {
    const Move move = static_cast<Move>(i);
    TankState next = node.m_state;
    ApplyMove(next, move);
    node.m_children[i] = &NewNode(next, move, node.m_budget - MoveTime(move));
    Expand(*node.m_children[i]);
  }

  // Only a strictly better child wins: standing still beats moving, and an
  // earlier child a later one, when they score the same.
  for (PlanNode* child : node.m_children) {
    if (child->m_bestScore > node.m_bestScore) {
      node.m_bestChild = child;
      node.m_bestScore = child->m_bestScore;
    }
  }
}

std::vector<Move> CPlanTree::GetBestActions() const {
  std::vector<Move> actions;
  for (const PlanNode* node = GetRoot().m_bestChild; node; node = node->m_bestChild) {
    if (node->m_action != Move::None) actions.push_back(node->m_action);
  }
  return actions;
}
