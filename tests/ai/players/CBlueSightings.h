#pragma once

#include <cstdint>

#include "ai/players/CGreenSight.h"
#include "units/TankState.h"

// What a Green player remembers of Blue's tanks: each as it was last seen and
// how many turn ends ago. A sighting is dropped when its cell is seen empty
// or when it is too old to trust.
class CBlueSightings {
 public:
  // One remembered Blue tank.
  struct Sighting {
    TankState state;        // cell, heading and hit points when last seen
    std::uint32_t age = 0;  // turn ends since then; 0: in sight now
    bool known = false;     // the entry holds a tank
    bool stayed = false;    // seen on the same cell at the turn end before as well
  };

  // A tank unseen for more turn ends than this is forgotten.
  static constexpr std::uint32_t mc_forgetAfter = 6;

  // Forgets every tank: a new game.
  void Clear();
  // One turn end: the Blue tanks in sight are noted, the others grow a turn
  // older and are forgotten when Green sees their cell empty or they are too old.
  void Update(const CGreenSight& sight);
  // Entry of Blue's slot; a slot past CGreenSight::mc_maxSlots is never known.
  const Sighting& Get(std::uint32_t slot) const;

 private:
  Sighting m_tanks[CGreenSight::mc_maxSlots];  // per Blue slot, its last sighting
  Sighting m_none;                             // the entry of any slot out of range
};
