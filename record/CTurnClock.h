#pragma once

#include <cstdint>

#include "record/TurnPace.h"

class CGame;

// The pace a game's turns are shown at: the game runs in ticks of 16 ms, at
// most one per call however much time has gathered (the rest waits); a turn
// started by Space runs a step whenever the step timer (300 ms at the normal
// pace) has run out (a new game's first step at the first tick), and ends on
// the tick after its fourth step.
class CTurnClock {
 public:
  static constexpr std::uint32_t mc_tickMs = 16;
  // From one step to the next at the normal pace.
  static constexpr std::uint32_t mc_stepIntervalMs = StepMsAt(TurnPace::Normal);

  // Gathers the time; true when a tick is due, which it takes.
  bool TakeTick(std::uint32_t elapsedMs);
  // One tick of the game: the turn's end after its fourth step, a finished
  // game stopping its turn, and the next step when its time has come. True
  // when the record's turn closed in it (the game is to be saved).
  bool Tick(CGame& game);
  // Time gathered and not yet used by a tick.
  std::uint32_t GetAccumulator() const { return m_accumulator; }
  // Milliseconds until the next step.
  std::uint32_t GetStepTimer() const { return m_stepTimer; }
  // A new game: its first step comes with the first tick of its first turn.
  void Reset() { m_stepTimer = 0; }
  // A turn is to be seen from its start: its first step after a step's interval.
  void WaitAStep() { m_stepTimer = StepMsAt(m_pace); }
  // The steps' pace from the next step on; the normal pace unless set.
  void SetPace(TurnPace pace) { m_pace = pace; }
  TurnPace GetPace() const { return m_pace; }

 private:
  std::uint32_t m_accumulator = 0;  // ms not yet used by ticks
  std::uint32_t m_stepTimer = 0;    // ms until the next step
  TurnPace m_pace = TurnPace::Normal;  // how far apart the steps are
};
