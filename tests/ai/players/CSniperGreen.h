#pragma once

#include <cstdint>
#include <vector>

#include "ai/players/CBlueSightings.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/CTurnSearch.h"

// A Green player who snipes: its tanks wait outside the known Blue tanks'
// lines of fire, one move away from a line that runs into a Blue tank's side
// or back, and step in and fire in the same turn such a flank shows. They
// shoot into a front only when there is nothing better, keep out of the
// lines Blue can aim along this turn, and a tank under 40 hit points mends on
// a repair cell until it has 90. With no Blue tank known they wait the same
// way round the centre, where Blue must come. A game that drags on they end
// by fighting: they go for the quarry's front as well, and the healthy tank
// nearest the centre takes it when no Blue tank stands on it.
class CSniperGreen {
 public:
  // `seed` varies the choice between plans rated alike, game by game.
  explicit CSniperGreen(std::uint32_t seed) : m_seed(seed) {}
  // Plans every Green tank's turn from what the sight shows (it has looked).
  void PlanTurn(CGreenSight& sight);

 private:
  // The cells to wait on: out of every known line of fire, one move from a
  // firing cell on a Blue tank's side or back.
  std::vector<std::int32_t> AmbushField(const CGreenSight& sight) const;

  CBlueSightings m_memory;                        // Blue as last seen
  CTurnSearch m_search;                           // the step-by-step planning
  std::uint32_t m_seed;                           // varies plans rated alike
  bool m_mending[CGreenSight::mc_maxSlots] = {};  // per Green slot: on its way to or on a repair cell
};
