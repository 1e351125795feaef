#pragma once

#include <cstdint>

#include "units/TankHit.h"
#include "units/TankState.h"

class CGameWorld;
class CTank;

// What a planned shot would do as things stand, as the shooter's team knows
// them: the walls, its own tanks where they stand now, the enemy's only on
// cells the team sees now. A shell into cells the team does not see promises
// nothing: a hidden tank may stand there.
struct ShotForecast {
  enum class Outcome : std::uint8_t {
    Wall,    // the shell meets a wall, every cell on its way in sight
    Fog,     // it passes a cell out of sight before it meets a wall
    Enemy,   // it strikes an enemy tank the team sees
    Friend,  // it strikes one of the team's own tanks
  };

  Outcome m_outcome = Outcome::Wall;  // what stops the shell
  std::int32_t m_x = 0;               // the column where it stops: the wall's (or the map edge's) or the tank's
  std::int32_t m_y = 0;               // the row where it stops
  std::uint32_t m_slot = 0;          // Enemy, Friend: the slot of the tank struck
  TankHit m_hit{HitSide::Front, 0};  // Enemy, Friend: where and how hard (HitOf); no damage otherwise
};

// The shell of `shooter` fired from the state `from` (its planned cell and
// heading at that step of its queue) as the match stands, as the shooter's
// team knows it. The shooter stands in the way of nothing: it is at `from`.
// A friend is struck even beyond cells out of sight. A `from` with no
// heading stops the program, as a shot does.
ShotForecast ForecastShot(const CGameWorld& match, const CTank& shooter, const TankState& from);
