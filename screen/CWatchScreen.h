#pragma once

#include <cstdint>

#include "record/CGame.h"
#include "record/CTurnClock.h"
#include "screen/CBattleScreen.h"

// The last turn played, shown again on a battle screen of its own: the game
// is set up from its record as the turn began, and the turn runs at the
// game's pace until its end. Nothing of the game played is touched.
class CWatchScreen {
 public:
  // Sets the record's last turn up to be shown at the pace; false when it
  // has none or the record does not play.
  bool Start(const CGameRecord& record, TurnPace pace = TurnPace::Normal);
  // Hands the turn the time.
  void Update(std::uint32_t elapsedMs);
  // The turn shown has come to its end.
  bool IsDone() const { return !m_game.Match().IsExecuting(); }
  std::uint32_t GetAccumulator() const { return m_clock.GetAccumulator(); }
  // The battlefield, and over it the line that says which turn shows.
  void Draw() const;

  const CGame& GetGame() const { return m_game; }
  const CBattleScreen& GetScreen() const { return m_screen; }
  // The turn's pace.
  const CTurnClock& GetClock() const { return m_clock; }

 private:
  CGame m_game;            // the game as the turn began, then as it runs
  CTurnClock m_clock;      // the turn's pace
  CBattleScreen m_screen;  // how it is shown
  std::uint32_t m_turn = 0;  // the turn shown, as numbered in play
};
