#pragma once

#include <cstddef>
#include <cstdint>

class CKnownMatch;
struct TankState;

// What the Hard computer carries from one turn end to the next besides its
// memory of the enemy, so that no tank of its own stands stuck and no
// endgame goes round for ever:
//  - per tank, the cell its last plan set out from and whether the plan
//    moved it: a tank that stands where it stood although its plan moved it
//    was blocked; blocked mc_blockedTurns turn ends in a row, it goes round
//    its friends for mc_detourTurns turn ends (unless a friend near it is on
//    such a detour already, which frees the way);
//  - where every known tank stood at each of the last mc_history turn ends:
//    a position seen mc_repeats times is an endgame repeating itself;
//  - the turn ends left in which the team presses on to break it.
// A value; a saved game keeps all of it (GetKept, SetKept and the rest).
class CHardWatch {
 public:
  // Slots watched: a team's largest size.
  static constexpr std::size_t mc_maxTanks = 10;
  // Turn ends in a row a tank must stand blocked before it goes round.
  static constexpr std::uint32_t mc_blockedTurns = 2;
  // Turn ends a detour lasts.
  static constexpr std::uint32_t mc_detourTurns = 3;
  // Turn ends of positions kept.
  static constexpr std::size_t mc_history = 16;
  // Times a position must have been seen among them to repeat itself.
  static constexpr std::uint32_t mc_repeats = 3;
  // Turn ends the team presses on once it does.
  static constexpr std::uint32_t mc_pressTurns = 12;

  // What the watch carries for one slot.
  struct Kept {
    std::int32_t fromX = 0;        // the cell its last plan set out from
    std::int32_t fromY = 0;
    bool moving = false;           // that plan moved it
    std::uint32_t blocked = 0;     // turn ends in a row it stood blocked
    std::uint32_t detour = 0;      // turn ends left of its detour round its friends
  };

  // A new game: nothing watched.
  void Reset() { *this = CHardWatch(); }
  // A turn end, before planning, the known match built: notes the tanks that
  // stood blocked and starts their detours, counts down the detours and the
  // pressing, and notes the position.
  void Look(const CKnownMatch& known);
  // The tank of the slot goes round its friends this turn; false past mc_maxTanks.
  bool IsDetouring(std::size_t slot) const { return slot < mc_maxTanks && m_kept[slot].detour > 0; }
  // The position at this turn end was seen mc_repeats times among the last mc_history.
  bool IsRepeating() const;
  // The team presses on: a repeating endgame is being broken.
  bool IsPressing() const { return m_press > 0; }
  // The team starts pressing on for mc_pressTurns turn ends.
  void StartPress() { m_press = mc_pressTurns; }
  // After planning the tank of the slot: where it sets out from and where its plan ends.
  void Planned(std::size_t slot, const TankState& from, const TankState& end);

  // What a saved game keeps: per slot (below mc_maxTanks), the positions
  // (oldest first, 0 for turn ends before the game's first), and the turn
  // ends left of pressing on.
  Kept GetKept(std::size_t slot) const;
  void SetKept(std::size_t slot, const Kept& kept);
  std::uint32_t GetPosition(std::size_t age) const;
  void SetPosition(std::size_t age, std::uint32_t position);
  std::uint32_t GetPress() const { return m_press; }
  void SetPress(std::uint32_t press) { m_press = press; }

 private:
  // A number for where the known tanks stand, never 0.
  static std::uint32_t PositionOf(const CKnownMatch& known);

  Kept m_kept[mc_maxTanks];                  // per slot of the team
  std::uint32_t m_positions[mc_history] = {};  // the last turn ends' positions, oldest first; 0: none
  std::uint32_t m_press = 0;                 // turn ends left of pressing on
};
