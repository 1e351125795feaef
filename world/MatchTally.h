#pragma once

#include <cstdint>

// The counts a match keeps besides its tanks' states.
struct MatchTally {
  std::uint32_t m_slots[2] = {0, 0};        // per team, its slots: the tanks it began with
  std::uint32_t m_turn = 1;                 // the turn being planned or played, from 1
  std::int32_t m_hillTeam = 0;              // the team that held the centre at the last turn end
  std::uint32_t m_hillCount = 0;            // turn ends in a row it held it; 10: it has won
  std::int32_t m_seenDestroyed[2] = {0, 0}; // per team, its tanks the player's team saw destroyed
};
