#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ai/Difficulty.h"
#include "record/GameSnapshot.h"
#include "record/RulesVersion.h"

// One Green slot's queue as a turn began: the first `m_kept` commands carried
// over from the turn before (the player neither erased nor replaced them),
// then the commands he added, as letters (CAction::Letter).
struct RecordQueue {
  std::uint32_t m_kept = 0;  // commands kept from the queue left by the turn before
  std::string m_added;       // letters of the commands added after them

  bool operator==(const RecordQueue& other) const { return m_kept == other.m_kept && m_added == other.m_added; }
};

// One played turn: Green's queues when Space started it and the world's
// checksum when it ended (0 while it is under way).
struct RecordTurn {
  std::vector<RecordQueue> m_queues;  // one per Green slot, in slot order
  std::uint64_t m_checksum = 0;       // WorldChecksum at the turn's end
};

// Everything that decides a game: the battlefield's cells, the team sizes and
// the random table's seed and cursor when the game began (or a snapshot of
// the game the turns start from), and Green's queues at every turn (the
// computer's plans follow from these, under the rules the turns were played
// by). The last turn may be under way: committed with Space, not ended.
// With a snapshot of the game at the last turn end and the plans in progress
// it also brings a game back to the planning screen as it was left, even on
// a build of other rules.
class CGameRecord {
 public:
  // The text format's version: 2 added the rules, the snapshots and the turn under way; 3 the Hard
  // computer's watch and what its memory knows of moved tanks.
  static constexpr std::uint32_t mc_version = 3;

  std::uint32_t m_rules = kRulesVersion;         // the rules the turns were played by
  std::vector<std::string> m_rows;               // the battlefield, top row first: '#' wall, '.' open, '1'-'6' goals
  std::uint32_t m_teamSize[2] = {0, 0};          // Green's and Blue's tanks
  Difficulty m_difficulty = Difficulty::Normal;  // the computer's level
  std::uint32_t m_seed = 0;                      // the random table's seed
  std::uint32_t m_cursor = 0;                    // and its cursor as the game began
  std::optional<GameSnapshot> m_start;           // the game the turns start from instead of a new game's set-up
  std::vector<RecordTurn> m_turns;               // the turns played, first first
  bool m_openTurn = false;                       // the last of m_turns is under way: it has no checksum yet
  std::optional<GameSnapshot> m_now;             // the game at the last turn end (before the turn under way)
  bool m_hasPlans = false;                       // m_plans and m_selected hold the turn being planned
  std::vector<RecordQueue> m_plans;              // Green's queues as the player left them
  std::uint32_t m_selected = 0;                  // the selected slot + 1 then, 0 none

  // Turns that ended, with their checksums.
  std::size_t EndedTurns() const { return m_turns.size() - (m_openTurn ? 1 : 0); }
};
