#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ai/TurnOrders.h"

class CFireLines;
class CKnownMatch;

// What the planning team expects the enemy to do in the coming turn: a few
// plans for the enemy's whole team, each giving every enemy tank of the
// known match orders by one way of playing. Each tank tries every way of
// spending its turn (CTurnOptions) and rates it as that way of playing
// would, from where the planning team's tanks stand at the turn end (the
// enemy cannot know more of them):
//  - Fight: the most damage its shots deal, in the side and back above all,
//    after a turn or a step if need be; a tank with no shot advances;
//  - Hide: out of the planning team's lines of fire, this turn and at the
//    next planning, yet nearer the centre;
//  - Reflex: it stays and fires along its line, in the first and third
//    steps at a tank of the planning team standing in it, else in the second
//    and fourth at any that steps into it;
//  - Advance: towards the centre (the holder stays on it), its shots taken
//    on the way.
// Every rating is a whole number, so the forecast is the same on every
// machine.
class CEnemyForecast {
 public:
  // The ways of playing, in the order of the plans.
  enum class Mood : std::uint8_t { Fight, Hide, Reflex, Advance };
  static constexpr std::size_t mc_plans = 4;
  // Percent of the enemy's play each plan stands for, in the order of the plans.
  static constexpr std::int32_t mc_likelihood[mc_plans] = {40, 10, 35, 15};

  // Works out the plans for the known match; `lines` are the planning team's
  // lines of fire in it (CFireLines::Build for that team).
  void Build(const CKnownMatch& known, const CFireLines& lines);
  // Plans made: mc_plans, or none before any Build.
  std::size_t GetPlanCount() const { return m_plans[0].empty() ? 0 : mc_plans; }
  // The orders of the known match's tank (its index) in the plan; empty
  // orders for the planning team's tanks. Out of range stops the program.
  const TurnOrders& GetOrders(std::size_t plan, std::size_t tank) const;

 private:
  // How one sequence of an enemy tank fares, in hundredths of a hit point.
  struct Rated {
    std::int32_t shots;     // damage its shots are expected to deal
    std::int32_t danger;    // damage it is expected to take this turn
    std::int32_t exposure;  // damage it may take at the next planning's first shots
    std::int32_t steps;     // moves from its end cell to the centre
    std::int32_t threat;    // damage its first shot of the next turn may deal from its end
    bool valid;             // no shot of it meets a friend first
  };
  Rated Rate(const CKnownMatch& known, const CFireLines& lines, std::size_t tank, const TurnOrders& orders,
             const std::vector<std::int32_t>& toCentre) const;
  // The orders of the Reflex plan: two shots along its line, unless a friend stands in it.
  static TurnOrders ReflexOrders(const CKnownMatch& known, std::size_t tank);

  std::vector<TurnOrders> m_plans[mc_plans];  // per plan, orders per tank of the known match
  std::vector<TurnOrders> m_options;          // the sequences of the tank being rated
};
