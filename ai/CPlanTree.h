#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/PlanNode.h"

class CTank;
class CTeamView;
class CThreatMaps;

// The look-ahead of one computer tank: every sequence of turns and moves that
// fits into one turn's time, each end state scored with the threat and
// vulnerability layers of the tank's team. A turn or a forward move costs one
// unit, a move back two. Cells holding a wall, or an enemy the team sees, are
// blocked. Friendly tanks do not block: each tank is planned on its own.
//
// The tree is built when the object is made and lives as long as it; its
// nodes are kept in one block, freed with the tree.
class CPlanTree {
 public:
  static constexpr std::int32_t mc_turnBudget = 4;  // time units in one turn: its four steps
  static constexpr std::size_t mc_maxNodes = 341;   // 1 + 4 + 16 + 64 + 256
  static constexpr std::int32_t mc_blockedScore = -100000;

  // The tree of the tank's turn on the team's view and layers, which must outlive it.
  CPlanTree(const CTeamView& view, const CThreatMaps& layers, const CTank& tank, float aggression);
  CPlanTree(const CPlanTree&) = delete;
  CPlanTree& operator=(const CPlanTree&) = delete;

  // The tank's present state with the whole turn's budget.
  const PlanNode& GetRoot() const { return m_nodes.front(); }
  std::size_t GetNodeCount() const { return m_nodes.size(); }
  // The actions along the chain of best children from the root; empty when
  // nothing beats standing still.
  std::vector<Move> GetBestActions() const;

 private:
  PlanNode& NewNode(const TankState& state, Move action, std::int32_t budget);
  void Expand(PlanNode& node);
  bool IsBlocked(const TankState& state) const;

  const CTeamView& m_view;        // the battlefield and the tanks as the team knows them
  const CThreatMaps& m_layers;   // the team's threat and vulnerability
  float m_aggression;            // the tank's aggression f
  std::vector<PlanNode> m_nodes; // every node, the root first; never grows past mc_maxNodes
};
