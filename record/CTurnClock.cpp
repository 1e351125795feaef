#include "record/CTurnClock.h"

#include "record/CGame.h"

bool CTurnClock::TakeTick(std::uint32_t elapsedMs) {
  m_accumulator += elapsedMs;
  if (m_accumulator < mc_tickMs) return false;
  m_accumulator -= mc_tickMs;
  return true;
}

bool CTurnClock::Tick(CGame& game) {
  CGameWorld& match = game.Match();
  bool closed = false;
  if (match.GetStepsDone() >= CGameWorld::mc_turnSteps) {
    const bool open = game.IsTurnOpen();
    game.EndTurn();
    closed = open;
  }
  // A finished game executes nothing. A tie in the middle of a turn never
  // reaches the turn end.
  if (!match.IsInProgress()) {
    const bool open = game.IsTurnOpen();
    game.StopIfFinished();
    closed = closed || open;
  }
  if (match.IsExecuting()) {
    if (m_stepTimer <= mc_tickMs) {
      game.RunStep();
      m_stepTimer = StepMsAt(m_pace);
    } else {
      m_stepTimer -= mc_tickMs;
    }
  }
  return closed;
}
