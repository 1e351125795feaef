#pragma once

#include <cstddef>
#include <cstdint>

#include "world/CTankSlots.h"

class CTank;

// Routes ignore friendly tanks, so computer tanks each waiting for the next,
// the last for the first (two meeting in a passage one cell wide), never get
// through. The watch remembers what each tank of the planned team was left
// with at its last planning. A tank that carried out nothing in the whole turn
// since (nothing left its queue, it stands as it stood) and whose next command
// moves it into a cell a tank of its own team holds is jammed behind that
// tank; a tank that waits by plan, or is held up by an enemy, is not. Tanks
// jammed in a cycle for mc_jamTurns turns in a row give up their routes. A jam
// of one turn may still clear (a tank that sees an enemy plans afresh), and a
// tank jammed behind one that is free to go on waits for it.
class CJamWatch {
 public:
  // Slots watched: a team's largest size.
  static constexpr std::size_t mc_maxTanks = 10;
  // Turns in a row tanks must have waited for each other before they give up their routes.
  static constexpr std::uint32_t mc_jamTurns = 2;

  // A new game: nothing planned yet.
  void Reset();
  // Before the team is planned: finds what each tank has been stuck behind.
  void BeginPlanning(const CTankSlots<const CTank>& slots);
  // Whether the tank in the slot is in a cycle of tanks jammed long enough.
  bool MustDropRoute(std::size_t slot) const;
  // After the tank in the slot is planned: what it is left with.
  void Planned(std::size_t slot, const CTank& tank);
  // After the whole team is planned.
  void EndPlanning() { ++m_plannings; }
  // Plannings since the game was set up.
  std::uint32_t GetPlannings() const { return m_plannings; }

  // What the watch carries for a slot from one planning to the next.
  struct Kept {
    std::int32_t x, y, dx, dy;  // the tank's cell and heading at its last planning; 0s before any
    std::size_t queued;         // commands it had queued then
    std::uint32_t jammedTurns;  // turns in a row it has been jammed
  };
  // The slot's (below mc_maxTanks); a saved game keeps it.
  Kept GetKept(std::size_t slot) const;
  // Puts back what a saved game kept: the plannings, and a slot's (below mc_maxTanks).
  void SetPlannings(std::uint32_t plannings) { m_plannings = plannings; }
  void SetKept(std::size_t slot, const Kept& kept);

 private:
  // What a tank was left with at its last planning.
  struct PlannedTank {
    std::int32_t x, y, dx, dy;  // its cell and heading
    std::size_t queued;         // commands it had queued
  };

  // The slot of the tank of its own team the tank in the slot has been stuck
  // behind for the whole turn since its last planning, or mc_nobody.
  std::size_t JammedBy(std::size_t slot, const CTank& tank, const CTankSlots<const CTank>& slots) const;

  static constexpr std::size_t mc_nobody = mc_maxTanks;  // waits for no tank

  PlannedTank m_planned[mc_maxTanks] = {};         // per slot of the planned team
  std::size_t m_jammedBy[mc_maxTanks] = {};        // per slot, the slot it waits for in this planning, or mc_nobody
  std::uint32_t m_jammedTurns[mc_maxTanks] = {};   // per slot, turns in a row it has been jammed
  std::uint32_t m_plannings = 0;                   // plannings since the game was set up
};
