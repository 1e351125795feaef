#pragma once

#include <cstddef>
#include <cstdint>

class CGameTally;
class CGameWorld;

// The summary a finished game shows right of the battlefield, as lines of
// text: the turns played, then for each side the tanks it lost, the damage
// it dealt and took and the turn ends it stood on the centre cell.
struct SummaryLines {
  static constexpr std::size_t mc_maxLines = 10;
  static constexpr std::size_t mc_lineSize = 64;

  char m_lines[mc_maxLines][mc_lineSize] = {};  // the lines, top first
  std::int32_t m_team[mc_maxLines] = {};        // whose colour each is drawn in: 0, 1, or -1 for white
  std::size_t m_count = 0;                      // how many are shown
};

// The summary of the match as it stands with the tally kept of it: "Game
// over: 23 turns", "Counted from turn 12" when the figures start later than
// the game, and per side "Green: 2 of 3 tanks lost", "damage dealt 240",
// "damage taken 180", "on centre: 4 turn ends".
SummaryLines FormatGameSummary(const CGameTally& tally, const CGameWorld& match);
