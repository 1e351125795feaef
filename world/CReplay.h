#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "world/CGameRecord.h"
#include "world/CGameWorld.h"

class CGameEngine;

// A whole game watched again from its record, in a world of its own: played
// at one, two or four times the game's pace or a step at a time, rewound a
// turn at a time, seen through either team's fog or none, with the
// computer's threat lens over it. The record is checked against its
// checksums before anything is shown; the program's random table is put back
// as it was when the replay goes.
class CReplay {
 public:
  // The paces a replay plays at, in turns of the 'S' key.
  static constexpr std::uint32_t mc_speeds[] = {1, 2, 4};

  // The record in a world of its own made for the engine (never null); Check
  // before anything else.
  CReplay(CGameEngine* engine, CGameRecord record);
  // Puts the random table back as it was before the replay.
  ~CReplay();
  CReplay(const CReplay&) = delete;
  CReplay& operator=(const CReplay&) = delete;

  // Plays the whole record unseen against its checksums, then stands at the
  // start of its first turn, paused. False, with `error` naming the first
  // turn that disagrees, when the record is not a game of this build.
  bool Check(std::string& error);

  // Hands the replay's world the time while it plays, the pace's worth of ticks for each tick.
  void Update(std::uint32_t elapsedMs);
  // The replayed battlefield, what is shown and the replay's keys.
  void Render();
  // A key pressed; false when it leaves the replay.
  bool OnKey(int sym);
  // Moving while it plays, else still.
  CGameWorld::Motion GetMotion() const { return m_playing ? CGameWorld::Motion::Moving : CGameWorld::Motion::Still; }
  // The time the replay's world has not used yet; none while paused.
  std::uint32_t GetAccumulator() const { return m_playing ? m_world->GetAccumulator() : 0; }

  // Plays or pauses; played at the end, the game starts again.
  void SetPlaying(bool playing);
  // Pauses and runs the next step at once; after a turn's fourth step, its end.
  void NextStep();
  // To the start of the turn shown, or of the turn before when at a start.
  void PreviousTurn();

  // The world the game is replayed in, as shown.
  const CGameWorld& GetWorld() const { return *m_world; }
  // Its static layers are to be drawn anew.
  void MarkStaticLayersDirty() { m_world->MarkStaticLayersDirty(); }
  // The game watched.
  const CGameRecord& GetRecord() const { return m_record; }
  // Turns played to their end.
  std::size_t GetTurnsDone() const { return m_turnsDone; }
  bool IsPlaying() const { return m_playing; }
  // The pace: 1, 2 or 4 times the game's.
  std::uint32_t GetSpeed() const { return mc_speeds[m_speedIndex]; }

 private:
  // Sets the world up unseen after the first `turns` turns, at the start of the next.
  void Seek(std::size_t turns);
  // Starts the next recorded turn; false at the end of the game.
  bool BeginTurn();
  // Notes a turn that has come to its end and, playing, starts the next.
  void AfterTick();

  std::unique_ptr<CGameWorld> m_world;  // the game shown; owned
  CGameRecord m_record;                 // the game watched
  std::size_t m_turnsDone = 0;          // turns of the record played to their end
  bool m_inTurn = false;                // a recorded turn runs in the world
  bool m_playing = false;               // time runs; else paused
  std::size_t m_speedIndex = 0;         // the pace, in mc_speeds
  std::uint32_t m_tableSeed;            // the random table's seed before the replay
  std::uint32_t m_tableCursor;          // and its cursor
};
