#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ai/CHardWatch.h"
#include "ai/CJamWatch.h"
#include "units/CPathFinder.h"
#include "units/Heading.h"
#include "units/TankState.h"

// One tank as a game stands: everything that decides what it does next.
struct SnapshotTank {
  std::uint32_t m_team = 0;                    // 0 Green, 1 Blue
  std::uint32_t m_slot = 0;                    // its slot in the team, from 0
  TankState m_state;                           // cell, heading and hit points
  std::int32_t m_busy = 0;                     // coming steps in which it is busy
  bool m_hitFromBehind = false;                // a shell struck it from behind since the planner last looked
  PathNode m_objective = {0, 0, kAnyHeading};  // where the planner sends it
  std::uint32_t m_kept = 0;                    // leading commands kept from the turn before
  TankState m_planFrom;                        // the planned state its first command starts from
  std::string m_commands;                      // its queue's letters (CAction::Letter), first first;
                                               // each command's planned after-state follows from m_planFrom
};

// An enemy tank the computer remembers (CEnemyMemory).
struct SnapshotSighting {
  std::uint32_t m_slot = 0;  // the Green slot
  TankState m_state;         // as last seen
  std::uint32_t m_age = 0;   // turn ends since
  bool m_moved = false;      // its cell has been seen empty since
};

// A game as it stands at a turn end (or as it was set up), apart from what
// its record's head holds and a game never changes: the battlefield, the
// team sizes, the computer's level and the random table's seed. With them it
// brings the game back on a build whose rules have changed.
struct GameSnapshot {
  std::uint32_t m_turn = 1;                // the turn to be planned next, from 1
  std::uint32_t m_cursor = 0;              // the random table's cursor
  std::int32_t m_hillTeam = 0;             // the team that held the centre at the last turn end
  std::uint32_t m_hillCount = 0;           // turn ends in a row it held it
  std::uint32_t m_seenDestroyed[2] = {};   // per team, its tanks the player saw destroyed
  std::vector<SnapshotTank> m_tanks;       // the living tanks in the list's order, which decides step order;
                                           // a slot with no tank is a destroyed tank's
  std::vector<std::string> m_sight[2];     // per team, what it sees: rows top first, '1' seen, '0' not
  std::vector<SnapshotSighting> m_memory;  // the Hard computer's memory of Green, by rising slot
  std::uint32_t m_plannings = 0;           // the jam watch's plannings since the set-up
  std::vector<CJamWatch::Kept> m_jams;     // the jam watch's, one per Blue slot it watches
  std::uint32_t m_press = 0;               // the Hard computer's turn ends left of pressing on
  std::vector<std::uint32_t> m_positions;  // its last positions, oldest first (CHardWatch::mc_history, or none)
  std::vector<CHardWatch::Kept> m_watched; // its watch of its tanks, one per Blue slot it watches
};
