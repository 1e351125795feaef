#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "record/CGame.h"
#include "record/CGameRecord.h"
#include "record/CTurnClock.h"

class CTickListener;

// A whole game watched again from its record, in a game of its own: played
// at one, two or four times the game's pace or a step at a time, and rewound
// a turn at a time. The record is checked against its checksums before
// anything is shown. What it looks like is the screen's business.
class CReplay {
 public:
  // The paces a replay plays at, in turns of the 'S' key.
  static constexpr std::uint32_t mc_speeds[] = {1, 2, 4};
  static constexpr std::size_t mc_speedCount = sizeof mc_speeds / sizeof mc_speeds[0];

  explicit CReplay(CGameRecord record);

  // Plays the whole record unseen against its checksums, then stands at the
  // start of its first turn, paused. False, with `error` naming the first
  // turn that disagrees, when the record is not a game of this build.
  bool Check(std::string& error);

  // Hands the game the time while it plays, the pace's worth of ticks for
  // each tick, telling the listener of every tick taken. At the end, once
  // the listener is still, it stops playing.
  void Update(std::uint32_t elapsedMs, CTickListener& listener);
  // Plays or pauses; played at the end, the game starts again.
  void SetPlaying(bool playing);
  // Pauses and runs the next step at once; after a turn's fourth step, its end.
  void NextStep();
  // To the start of the turn shown, or of the turn before when at a start.
  void PreviousTurn();
  // The pace: index 0 to 2 into mc_speeds (another is taken modulo 3).
  void SetSpeedIndex(std::size_t index) { m_speedIndex = index % mc_speedCount; }
  std::size_t GetSpeedIndex() const { return m_speedIndex; }
  std::uint32_t GetSpeed() const { return mc_speeds[m_speedIndex]; }

  // The game replayed, as shown.
  const CGame& GetGame() const { return m_game; }
  CGame& GetGame() { return m_game; }
  // The game watched.
  const CGameRecord& GetRecord() const { return m_record; }
  // Turns played to their end.
  std::size_t GetTurnsDone() const { return m_turnsDone; }
  bool IsPlaying() const { return m_playing; }
  // How many times the game was set up anew (opened, rewound, started
  // again): what a screen showed of it before is gone.
  std::uint32_t GetSeeks() const { return m_seeks; }
  // The game's pace.
  const CTurnClock& GetClock() const { return m_clock; }
  // The time the replay's game has not used yet; none while paused.
  std::uint32_t GetAccumulator() const { return m_playing ? m_clock.GetAccumulator() : 0; }

 private:
  // Sets the game up unseen after the first `turns` turns, at the start of the next.
  void Seek(std::size_t turns);
  // Starts the next recorded turn; false at the end of the game.
  bool BeginTurn();
  // Notes a turn that has come to its end and, playing, starts the next.
  void AfterTick();

  CGame m_game;                  // the game shown
  CGameRecord m_record;          // the game watched
  CTurnClock m_clock;            // the game's pace
  std::size_t m_turnsDone = 0;   // turns of the record played to their end
  bool m_inTurn = false;         // a recorded turn runs in the game
  bool m_playing = false;        // time runs; else paused
  std::size_t m_speedIndex = 0;  // the pace, in mc_speeds
  std::uint32_t m_seeks = 0;     // times the game was set up anew
};
