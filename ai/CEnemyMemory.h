#pragma once

#include <cstdint>

#include "units/TankState.h"

class CTeamView;

// What a team knows of the enemy's tanks: each enemy tank as it was last seen
// and how many turn ends ago. Only tanks standing on cells the team sees now
// are ever read. A tank whose cell is seen empty has moved out of sight from
// there (or was destroyed): its memory is kept, marked moved; a memory is
// dropped when it has grown too old to trust.
class CEnemyMemory {
 public:
  // One remembered enemy tank.
  struct Sighting {
    TankState m_state;        // cell, heading and hit points when last seen
    std::uint32_t m_age = 0;  // turn ends since then; 0: seen now
    bool m_known = false;     // the entry holds a tank
    bool m_moved = false;     // its cell has been seen empty since: it is out of sight, near it
  };

  static constexpr std::uint32_t mc_maxTanks = 10;
  // A tank unseen for more turn ends than this is forgotten.
  static constexpr std::uint32_t mc_forgetAfter = 6;

  // Forgets every tank: a new game.
  void Clear();
  // One turn end of the team: the enemy tanks it sees now are noted, the
  // rest grow a turn older.
  void Update(const CTeamView& view);
  // Entry of the enemy's slot; slots past mc_maxTanks are never known.
  const Sighting& Get(std::uint32_t slot) const { return m_tanks[slot]; }
  // Puts back the entry of a slot below mc_maxTanks, as a saved game kept it.
  void Set(std::uint32_t slot, const Sighting& sighting);

 private:
  Sighting m_tanks[mc_maxTanks];  // per enemy slot, its last sighting
};
