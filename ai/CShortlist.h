#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/TurnOrders.h"

class CFireLines;
class CKnownMatch;
class CTankPurposes;

// The few ways of spending the coming turn worth playing out for each of
// the planning team's tanks in a known match. Every sequence the tank has
// (CTurnOptions) is rated quickly: the damage its shots deal to the enemy
// as it stands (less the later the shot), the fire it is expected to stand
// in this turn and at the next planning (the enemy's lines, and the shots
// the forecast expects), and its steps from its purpose's goal. Of the
// sequences ending in the same cell with the same heading, with or without
// a shot, the best stands for them all; the best of those make the list,
// the best first, and standing still is always among them. A shot that
// meets a friend first is never listed. Whole numbers only.
class CShortlist {
 public:
  // Lists at most `perTank` sequences (at least 2) for each of the team's tanks.
  void Build(const CKnownMatch& known, const CFireLines& enemyLines, const CTankPurposes& purposes,
             std::size_t perTank);
  // The list of the known match's tank (its index): empty for an enemy's
  // tank or an index out of range.
  const std::vector<TurnOrders>& Get(std::size_t tank) const;

 private:
  // The quick rating of one sequence in hundredths of a hit point; false when a shot of it meets a friend first.
  bool Rate(const CKnownMatch& known, const CFireLines& enemyLines, const std::vector<std::int32_t>* field,
            std::size_t tank, const TurnOrders& orders, std::int64_t& rating) const;

  std::vector<std::vector<TurnOrders>> m_lists;  // per tank of the known match
  std::vector<TurnOrders> m_all;                 // every sequence of the tank being listed
  std::vector<TurnOrders> m_none;                // the empty list
};
