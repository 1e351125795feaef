#pragma once

#include <cstdint>

#include "ai/players/CBlueSightings.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/CTurnSearch.h"

// A Green player whose tanks advance together and fire at anything in line.
// The group makes for the known Blue tank nearest it (the holder of the
// centre first), or for the centre when none is known, and takes the centre
// when it gets there; when the game drags on, the group makes for the centre. The tank nearest the goal leads, held
// back when it runs ahead of the group; the others keep within a few cells of where it ends.
class CGroupGreen {
 public:
  // `seed` varies the choice between plans rated alike, game by game.
  explicit CGroupGreen(std::uint32_t seed) : m_seed(seed) {}
  // Plans every Green tank's turn from what the sight shows (it has looked).
  void PlanTurn(CGreenSight& sight);

 private:
  CBlueSightings m_memory;  // Blue as last seen
  CTurnSearch m_search;     // the step-by-step planning
  std::uint32_t m_seed;     // varies plans rated alike
};
