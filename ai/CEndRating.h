#pragma once

#include <cstdint>
#include <vector>

#include "units/TankState.h"

class CGameWorld;
class CKnownMatch;
class CTankPurposes;

// How good the end of a turn played out on a copy of a known match is for
// the planning team, in whole points (mc_pointsPerHp to a hit point), the
// enemy's gains counting against it:
//  - a game won or lost outright: on the centre, or every tank of the team
//    destroyed (the enemy tanks it knows all destroyed is no win, others
//    may be out of sight);
//  - every living tank's hit points, and a bonus for being alive at all
//    (an enemy tank's weighed by how sure the team is that it is there; the
//    team's own hit points less the longer the enemy holds the centre);
//  - the centre count: more the longer the team holds it, and the longer
//    the enemy holds it the more it costs, steeply near its win;
//  - the first shots of the next turn: each tank's best target in a line it
//    faces, turns to or steps into, by the side it would strike, the sooner
//    the more (not all counted: the enemy will have planned too);
//  - the duels ahead: two tanks of either team in each other's line, with
//    nothing between, fight it out (each turns to face the other and fires
//    as often as it can); a share of the tank that falls, and of what the
//    other loses, counts for the team or against it;
//  - each of the team's tanks' steps from the goal of its purpose, a step
//    to a repair cell worth most, one to the holder of the centre more the
//    longer it has held it.
// Only whole numbers: the same plan wins on every machine.
class CEndRating {
 public:
  // Points per hit point; a tank alive is worth mc_aliveBonus more.
  static constexpr std::int64_t mc_pointsPerHp = 10;
  static constexpr std::int64_t mc_aliveBonus = 800;
  // A won game; a lost one is as bad.
  static constexpr std::int64_t mc_win = 100000000;

  // Reads the known match whose turns will be played out and the purposes
  // of the team's tanks; when `press`, the enemy's tanks count for more and
  // the centre too, to break a repeating endgame.
  void Prepare(const CKnownMatch& known, const CTankPurposes& purposes, bool press);
  // The rating of a copy of the prepared known match after a turn played out.
  std::int64_t Rate(const CGameWorld& played);

 private:
  // A living tank at the turn's end.
  struct Standing {
    std::int32_t x, y;       // its cell
    std::int32_t heading;    // its heading index
    std::int32_t hp;         // its hit points
    std::int32_t busy;       // first steps of the next turn it is still busy
    std::uint32_t team;      // its team
    bool repairing;          // it stands on a repair cell: every hit costs it the most
    std::int64_t certainty;  // percent: how sure the team is that it stands there
  };
  // The points of the best first shots the tank has on a tank of the other team.
  std::int64_t BestShot(const Standing& shooter) const;
  // Points the team gains, less what it loses, if its tank `own` and the
  // enemy's `enemy`, standing in each other's line along heading index `d`
  // from `own`, fought it out from here.
  std::int64_t Duel(const Standing& own, const Standing& enemy, std::int32_t d) const;
  // The tank standing on (x, y) (index into m_standing), or -1; walls and the edge give -2.
  std::int32_t At(std::int32_t x, std::int32_t y) const;

  const CKnownMatch* m_known = nullptr;                        // the match played out
  const CTankPurposes* m_purposes = nullptr;                   // the team's purposes
  bool m_press = false;                                        // breaking a repeating endgame
  std::int64_t m_hpPercent = 100;                              // percent the team's hit points count
  std::vector<std::int64_t> m_perStep;                         // per tank of the known match, points per step from its goal
  std::vector<Standing> m_standing;                            // the living tanks of the rated end
  std::vector<std::int16_t> m_at;                              // per cell, the standing tank on it, or -1
};
