#pragma once

#include <cstdint>
#include <vector>

#include "ai/players/CBlueSightings.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/CTurnSearch.h"
#include "map/MapCell.h"

// A Green player who takes the centre cell with one tank and guards its
// flanks with the others. The holder faces where Blue comes from; the first
// guards stand beside and behind it facing out, so that every open line into
// the holder meets a tank's front, the next ones on the diagonals cover the
// guards' sides, and any more hunt the known Blue tanks' flanks. Every tank
// on guard shoots along its line with its spare steps. A tank under 40 hit
// points mends on a repair cell until it has 90, then takes a post again.
// While Blue holds the centre, every healthy tank goes for the holder's sides
// and back.
class CCentreHolderGreen {
 public:
  // `seed` varies the choice between plans rated alike, game by game.
  explicit CCentreHolderGreen(std::uint32_t seed) : m_seed(seed) {}
  // Plans every Green tank's turn from what the sight shows (it has looked).
  void PlanTurn(CGreenSight& sight);

 private:
  // A cell to hold and the way to face on it.
  struct Post {
    MapCell cell;          // where the tank stands
    std::int32_t heading;  // the heading index it faces
  };

  // The way the holder faces: toward the nearest known Blue tank, else
  // along the longer open line toward Blue's side of the battlefield.
  std::int32_t HolderHeading(const CGreenSight& sight) const;
  // The posts round the centre for a holder facing `heading`, most needed first.
  std::vector<Post> Posts(const CGreenSight& sight, std::int32_t heading) const;

  CBlueSightings m_memory;                        // Blue as last seen
  CTurnSearch m_search;                           // the step-by-step planning
  std::uint32_t m_seed;                           // varies plans rated alike
  bool m_mending[CGreenSight::mc_maxSlots] = {};  // per Green slot: on its way to or on a repair cell
  std::int32_t m_holderSlot = -1;                 // the slot of the tank that holds the centre, or -1
};
