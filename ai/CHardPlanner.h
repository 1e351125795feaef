#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/CEndRating.h"
#include "ai/CEnemyForecast.h"
#include "ai/CEnemyMemory.h"
#include "ai/CFireLines.h"
#include "ai/CHardWatch.h"
#include "ai/CKnownMatch.h"
#include "ai/CShortlist.h"
#include "ai/CTankPurposes.h"
#include "ai/CTeamSearch.h"
#include "ai/TurnOrders.h"
#include "world/CTankSlots.h"

class CTank;
class CTeamView;

// The "Hard" computer player: plans a whole team at once by playing the
// coming turn out, from what the team sees and remembers of the enemy and
// the public centre count alone.
//
// At a turn end it builds the match as it knows it (CKnownMatch: its own
// tanks, the enemy tanks seen or remembered, the centre's holder the count
// tells of; never a hidden tank), gives each of its tanks a purpose and the
// field leading to it (CTankPurposes), forecasts a few plans of the enemy
// (CEnemyForecast), lists the ways each of its tanks may spend the turn
// (CShortlist), and plays team plans against the forecast on copies of the
// known match with the real rules, keeping the plan that fares best against
// what the enemy may do (CTeamSearch, CEndRating). CHardWatch keeps its tanks
// from standing blocked and a repeating endgame from going on for ever.
// Everything is a whole number: a game replays the same on every machine.
class CHardPlanner {
 public:
  // A tank with this many hit points or fewer makes for a repair cell ...
  static constexpr std::int32_t mc_repairBelow = CTankPurposes::mc_mendBelow;
  // ... and stays on it until it has this many.
  static constexpr std::int32_t mc_repairedAt = CTankPurposes::mc_mendedAt;

  // A new game: nothing is known of the enemy, nothing watched.
  void Reset();
  // One turn end of the team: remembers what it sees, then replaces the
  // queue of every one of its tanks (`own`, the view's team's) by its plan
  // for the coming turn. A view without a battlefield plans nothing.
  void PlanTeam(const CTeamView& view, CTankSlots<CTank> own);

  // The enemy as last seen, kept across turn ends.
  const CEnemyMemory& GetMemory() const { return m_memory; }
  // The memory to put back what a saved game kept.
  CEnemyMemory& GetMemory() { return m_memory; }
  // Its blocked tanks and repeating positions, kept across turn ends (CHardWatch).
  const CHardWatch& GetWatch() const { return m_watch; }
  // The watch to put back what a saved game kept.
  CHardWatch& GetWatch() { return m_watch; }

  // What the last planning expected of the enemy: the forecast's plans
  // (none before any planning), each the orders of every enemy tank it
  // knew, with the cells they pass and the steps they fire in, and the plan
  // its own plan fared worst against. GetExpected gives no orders for a
  // plan past GetExpectedPlans().
  std::size_t GetExpectedPlans() const { return m_expectedPlans; }
  const std::vector<TurnOrders>& GetExpected(std::size_t plan) const;
  std::size_t GetWorstPlan() const { return m_worstPlan; }
  // Turns played out at the last planning.
  std::int32_t GetPlayouts() const { return m_search.GetPlayouts(); }

 private:
  // The team has more tanks than the enemy tanks it knows, or as many with more hit points.
  bool IsAhead() const;
  // Adds the forecast's shots to the enemy's lines, each plan by its weight.
  void AddForecastShots();
  // Keeps the forecast's plans for the lens.
  void KeepExpected();

  CEnemyMemory m_memory;       // the enemy as last seen, across turn ends
  CHardWatch m_watch;          // blocked tanks and repeating positions, across turn ends
  CKnownMatch m_known;         // the match as the team knows it this turn end
  CTankPurposes m_purposes;    // what each tank is for
  CFireLines m_ownLines;       // the team's lines of fire, for the forecast
  CFireLines m_enemyLines;     // the enemy's, with the forecast's shots
  CEnemyForecast m_forecast;   // what the enemy may do
  CShortlist m_shortlist;      // what each tank may do
  CEndRating m_rating;         // how a turn played out ends for the team
  CTeamSearch m_search;        // the plan chosen
  std::vector<TurnOrders> m_expected[CEnemyForecast::mc_plans];  // per forecast plan, the enemy's orders
  std::size_t m_expectedPlans = 0;                               // forecast plans kept
  std::size_t m_worstPlan = 0;                                   // the one the plan fared worst against
  std::vector<TurnOrders> m_none;                                // no orders
};
