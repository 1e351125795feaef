#pragma once

#include <cstdint>

class CGameRecord;
class CGameWorld;

// One side's figures of a game, as the game-over screen shows them.
struct SideFigures {
  std::uint32_t m_damageDealt = 0;  // hit points its shells took from the other side's tanks
  std::uint32_t m_damageTaken = 0;  // hit points its tanks lost to shells, its own side's included
  std::uint32_t m_centreTurns = 0;  // turn ends at which one of its tanks stood on the centre cell
};

// The figures of a game kept as it plays, from the match's events: damage
// dealt and taken by side and the turn ends each side stood on the centre
// cell. The tanks each side lost are the match's own count.
class CGameTally {
 public:
  // Nothing counted: a new game, or one counted from its turn `firstTurn` on.
  void Reset(std::uint32_t firstTurn = 1);
  // Counts the match's events, which a screen then absorbs and clears: a
  // hit for the side that fired its shell (the shot just before it) and
  // the side struck, a turn's end for the side standing on the centre cell.
  // Events of another kind, or of a team other than 0 and 1, count nothing.
  void Count(const CGameWorld& match);
  // Counts the record's game anew, replayed turn by turn in a game of its
  // own, from its first turn (or the snapshot it starts from). False, with
  // the tally as far as the turns played, when a turn does not play.
  bool CountRecord(const CGameRecord& record);

  // Team 0 (Green) or 1 (Blue); any other number stops the program.
  const SideFigures& GetSide(std::uint32_t team) const;
  // The turn the figures are counted from: 1, or a later one for a game
  // brought back from a snapshot.
  std::uint32_t GetFirstTurn() const { return m_firstTurn; }

 private:
  SideFigures m_sides[2];           // Green's and Blue's
  std::uint32_t m_firstTurn = 1;    // the first turn counted
  std::int32_t m_shooterTeam = -1;  // the team of the shot before the next hit, -1 none
};
