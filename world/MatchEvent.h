#pragma once

#include <cstdint>

#include "units/TankHit.h"

// Something that happened in the match that a screen may show or a sound
// may follow. The match only appends them; whoever shows the match reads
// and clears them.
struct MatchEvent {
  enum class Kind : std::uint8_t {
    Moved,     // a tank moved or turned: the engines run
    Shot,      // a tank fired: its shell flew from its cell to (m_x, m_y)
    Hit,       // a shell struck a tank on (m_x, m_y)
    Repaired,  // a tank regained hit points on a repair cell
    Removed,   // a destroyed tank was taken off the battlefield at (m_x, m_y)
    TurnEnded, // the turn's four steps are over
    Stopped,   // a tied game stopped the turn under way
    Won,       // the turn end found a winner
  };

  Kind m_kind = Kind::Moved;
  std::int32_t m_team = 0;        // the tank's team: the shooter's for a shot, the struck one's for a hit
  std::uint32_t m_slot = 0;       // its slot, from 0
  std::int32_t m_fromX = 0;       // a shot: the shooter's cell
  std::int32_t m_fromY = 0;
  std::int32_t m_x = 0;           // where the shell stopped, or the tank's cell
  std::int32_t m_y = 0;
  std::int32_t m_heading = 0;     // the tank's heading index (a wreck lies as the tank stood)
  TankHit m_hit = {HitSide::Front, 0};  // a hit: where and how hard
  std::int32_t m_amount = 0;      // hit points regained by a repair
  bool m_destroyed = false;       // a hit left the tank with no hit points
  bool m_killed = false;          // ... and it had some before: this hit destroyed it
  bool m_playerSees = false;      // the player's team knew the tank when it happened
};
