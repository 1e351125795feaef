#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CHardWatch;
class CKnownMatch;

// What each of the planning team's tanks is for in the coming turn, and the
// field of steps that leads it there. Every tank has one:
//  - Mend: a tank with mc_mendBelow hit points or fewer (or on a repair cell
//    below mc_mendedAt) makes for a free repair cell, unless the enemy is
//    near winning on the centre or the team presses on;
//  - TakeCentre: the tank on the centre, or the healthy one nearest it,
//    while the enemy does not hold it;
//  - Contest: while the enemy holds the centre, the cells from which its
//    holder is shot along one of its lines, the sides and back first, each
//    line one tank before any takes a second;
//  - Hunt: the cells on the flanks and back of a known enemy tank, the ones
//    nearest the centre first, two tanks each;
//  - Search: the cell where an enemy tank was last seen, mc_lostAge turn
//    ends ago or more (CKnownMatch);
//  - Cover: the cells whose shells reach the centre, when nothing else is left.
// Tanks take purposes nearest first; when every purpose is taken, the rest
// double up, so that none stands idle. A tank on a detour (CHardWatch) is
// led round its friends.
class CTankPurposes {
 public:
  enum class Purpose : std::uint8_t { Mend, TakeCentre, Contest, Hunt, Search, Cover };
  // A tank with this many hit points or fewer mends ...
  static constexpr std::int32_t mc_mendBelow = 40;
  // ... and stays on the repair cell until it has this many.
  static constexpr std::int32_t mc_mendedAt = 90;
  // Pressing on, only a tank this weak mends.
  static constexpr std::int32_t mc_pressMendBelow = 20;
  // Turn ends the enemy must have held the centre for every tank to fight for it.
  static constexpr std::uint32_t mc_allInHold = 4;

  // Gives each of the planning team's tanks in the known match its purpose.
  void Assign(const CKnownMatch& known, const CHardWatch& watch);
  // The purpose of the known match's tank (its index); Cover for one of the enemy's.
  Purpose GetPurpose(std::size_t tank) const;
  // Steps from each cell to the tank's goal (kFarAway where none leads);
  // null for an enemy tank.
  const std::vector<std::int32_t>* GetField(std::size_t tank) const;

 private:
  // One goal tanks may take: its field and how many tanks it takes.
  struct Goal {
    Purpose purpose;       // what a tank taking it is for
    std::size_t field;     // its field in m_fields
    std::int32_t room;     // tanks it takes in a round
    std::int32_t penalty;  // steps added to a tank's distance: the later goals of a kind
  };

  // Adds a goal whose field has its sources marked; false (and no goal) when it has none.
  bool AddGoal(const CKnownMatch& known, Purpose purpose, std::vector<std::int32_t> field, std::int32_t room,
               std::int32_t penalty);
  // The goals' fields again, round the team's own tanks but the one, for a tank on a detour.
  std::size_t DetourField(const CKnownMatch& known, std::size_t goal, std::size_t tank);

  std::vector<std::vector<std::int32_t>> m_fields;  // every goal's field, and the detours'
  std::vector<std::vector<std::int32_t>> m_sources; // every goal's field before it was filled
  std::vector<Goal> m_goals;                        // the goals of this turn end
  std::vector<Purpose> m_purpose;                   // per tank of the known match
  std::vector<std::int32_t> m_fieldOf;              // per tank, its field in m_fields, or -1
};
