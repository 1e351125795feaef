#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/TurnOrders.h"

class CEnemyForecast;
class CFireLines;
class CKnownMatch;
class CTankPurposes;

// The few ways of spending the coming turn worth playing out for each of
// the planning team's tanks in a known match. Every sequence the tank has
// (CTurnOptions) is rated quickly: the damage its shots deal to the enemy
// where each forecast plan has it when the shell comes, weighed by how
// likely the plan is; the fire it is expected to stand in this turn and at
// the next planning (the enemy's lines, and the shots the forecast
// expects); and its steps from its purpose's goal. Of the sequences ending
// in the same cell with the same heading and firing in the same steps, the
// best stands for them all (in a duel the step of a shot decides who fires
// first); the best of those make the list, the best first. Standing still
// and the sequence dealing the most damage are always among them. A shot
// that meets a friend first is never listed. Whole numbers only.
class CShortlist {
 public:
  // Lists at most `perTank` sequences (at least 2) for each of the team's
  // tanks; `forecast` is built for the known match.
  void Build(const CKnownMatch& known, const CFireLines& enemyLines, const CEnemyForecast& forecast,
             const CTankPurposes& purposes, std::size_t perTank);
  // The list of the known match's tank (its index): empty for an enemy's
  // tank or an index out of range.
  const std::vector<TurnOrders>& Get(std::size_t tank) const;

 private:
  // How one sequence fares, in hundredths of a hit point.
  struct Rated {
    std::int64_t rating;  // all told
    std::int64_t shots;   // the damage its shots are expected to deal
  };
  // Where the forecast plans have the enemy's tanks in each step.
  void MarkForecast(const CKnownMatch& known, const CEnemyForecast& forecast);
  // The enemy tank a forecast plan has on the cell at the start of the step, or -1.
  std::int32_t ForecastAt(std::size_t plan, std::int32_t step, std::int32_t cell) const;
  // The known match's enemy tank that a shell fired in the step from the
  // pose meets first, the enemy standing where the plan has it; mc_none
  // when a wall, the edge or a friend as it stands comes first.
  std::int32_t ForecastTarget(const CKnownMatch& known, std::size_t tank, std::size_t plan, std::int32_t step,
                              const TankState& pose) const;
  // The quick rating of one sequence; false when a shot of it meets a friend first.
  bool Rate(const CKnownMatch& known, const CFireLines& enemyLines, const std::vector<std::int32_t>* field,
            std::size_t tank, const TurnOrders& orders, Rated& rated) const;

  std::vector<std::int16_t> m_forecastAt;        // per plan, step and cell: the enemy tank there, or -1
  std::vector<TankState> m_forecastPoses;        // per plan, step and tank of the known match: its pose
  std::vector<std::vector<TurnOrders>> m_lists;  // per tank of the known match
  std::vector<TurnOrders> m_all;                 // every sequence of the tank being listed
  std::vector<TurnOrders> m_none;                // the empty list
};
