#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/Difficulty.h"

// One Green slot's queue as a turn began: the first `m_kept` commands carried
// over from the turn before (the player neither erased nor replaced them),
// then the commands he added, as letters (CAction::Letter).
struct RecordQueue {
  std::uint32_t m_kept = 0;  // commands kept from the queue left by the turn before
  std::string m_added;       // letters of the commands added after them

  bool operator==(const RecordQueue& other) const { return m_kept == other.m_kept && m_added == other.m_added; }
};

// One played turn: Green's queues when Space started it and the world's
// checksum when it ended.
struct RecordTurn {
  std::vector<RecordQueue> m_queues;  // one per Green slot, in slot order
  std::uint64_t m_checksum = 0;       // WorldChecksum at the turn's end
};

// Everything that decides a game: the battlefield's cells, the team sizes and
// the random table's seed and cursor when the game began, and Green's queues
// at every turn (the computer's plans follow from these). With the plans in
// progress it also brings a game back to the planning screen as it was left.
class CGameRecord {
 public:
  static constexpr std::uint32_t mc_version = 1;

  std::vector<std::string> m_rows;      // the battlefield, top row first: '#' wall, '.' open
  std::uint32_t m_teamSize[2] = {0, 0}; // Green's and Blue's tanks
  Difficulty m_difficulty = Difficulty::Normal;  // the computer's level
  std::uint32_t m_seed = 0;             // the random table's seed
  std::uint32_t m_cursor = 0;           // and its cursor as the game began
  std::vector<RecordTurn> m_turns;      // the turns played, first first
  bool m_hasPlans = false;              // m_plans and m_selected hold the turn being planned
  std::vector<RecordQueue> m_plans;     // Green's queues as the player left them
  std::uint32_t m_selected = 0;         // the selected slot + 1 then, 0 none
};
