#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/TurnOrders.h"
#include "world/CGameWorld.h"

class CEndRating;
class CEnemyForecast;
class CKnownMatch;
class CShortlist;

// Chooses the planning team's orders by playing the coming turn out. A team
// plan gives each of its tanks one sequence of its shortlist; it is played
// against every plan the forecast expects of the enemy, each on a fresh copy
// of the known match with the real rules (world/TurnPlayout.h), and the end
// rated (CEndRating). A team plan's worth is the mean of those ratings
// weighed with the worst of them: it must hold against each thing the enemy
// may do. The search starts from every tank's first sequence and tries, tank
// by tank, each other sequence of its list with the rest of the plan kept,
// keeping any that is worth more, in passes until none is or the playouts
// run out. Then, while playouts are left (with a few tanks), it tries two
// tanks' first sequences together: a move that only pays when a friend
// moves too, such as two tanks stepping into two lines of one enemy at
// once, is found that way. Everything is counted in whole numbers and tried
// in a fixed order: the same match gives the same plan on every machine.
class CTeamSearch {
 public:
  // Playouts a planning may use at most, whatever the team's size.
  static constexpr std::int32_t mc_playouts = 3000;
  // Passes over the team at most.
  static constexpr std::int32_t mc_passes = 3;
  // Percent of a plan's worth that is its worst rating, the rest the mean.
  static constexpr std::int64_t mc_worstPercent = 50;

  // Sequences of each of two tanks tried together.
  static constexpr std::size_t mc_pairedPerTank = 6;

  // Sequences each tank tries at least and at most.
  static constexpr std::size_t mc_leastPerTank = 4;
  static constexpr std::size_t mc_mostPerTank = 32;

  // The sequences each tank may try so that mc_passes fit the playouts,
  // between mc_leastPerTank and mc_mostPerTank.
  static std::size_t PerTank(std::size_t ownTanks, std::size_t enemyPlans);
  // Chooses the plan. The forecast must have been built for the known
  // match, the shortlist too, and the rating prepared for it.
  void Run(const CKnownMatch& known, const CShortlist& shortlist, const CEnemyForecast& forecast, CEndRating& rating);
  // The sequence chosen for the known match's tank (its index); empty orders
  // for the enemy's tanks and indices out of range.
  const TurnOrders& GetChosen(std::size_t tank) const;
  // The forecast plan that the chosen plan fares worst against.
  std::size_t GetWorstPlan() const { return m_worstPlan; }
  // Turns played out by the last Run.
  std::int32_t GetPlayouts() const { return m_playouts; }

 private:
  // The worth of the plan as chosen now (m_choice); each forecast plan's rating goes into m_ratings.
  std::int64_t Worth(const CKnownMatch& known, const CShortlist& shortlist, const CEnemyForecast& forecast,
                     CEndRating& rating);

  // The forecast plan the worth just played fared worst against becomes GetWorstPlan().
  void KeepWorstPlan();
  // Whether the worth just played beats `best`: then it becomes the best,
  // and its worst forecast plan is kept.
  bool Keeps(std::int64_t worth, std::int64_t& best);
  // Tries every pair of tanks' first sequences together, keeping any pair
  // worth more than `best` (which follows); stops when the playouts run out.
  void TryPairs(const CKnownMatch& known, const CShortlist& shortlist, const CEnemyForecast& forecast,
                CEndRating& rating, std::int64_t& best);

  CGameWorld m_played;                // the copy a turn is played out on
  std::vector<std::size_t> m_choice;  // per tank of the known match, its sequence in the shortlist
  std::vector<TurnOrders> m_chosen;   // per tank of the known match, the sequence chosen
  std::vector<std::int64_t> m_ratings; // per forecast plan, the rating of the worth played last
  std::size_t m_worstPlan = 0;        // see GetWorstPlan
  std::int32_t m_playouts = 0;        // see GetPlayouts
  TurnOrders m_none;                  // the empty orders
};
