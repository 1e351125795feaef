#include "record/CReplay.h"

#include <utility>

#include "core/Assert.h"
#include "record/CTickListener.h"

CReplay::CReplay(CGameRecord record) : m_record(std::move(record)) {}

bool CReplay::Check(std::string& error) {
  if (!m_game.Replay(m_record, m_record.m_turns.size(), error)) return false;
  Seek(0);
  return true;
}

void CReplay::Seek(std::size_t turns) {
  std::string error;
  // The whole record replayed to its checksums when the replay opened.
  const bool replayed = m_game.Replay(m_record, turns, error);
  KV_ASSERT(replayed);
  ++m_seeks;
  m_turnsDone = turns;
  m_inTurn = false;
  if (m_playing) BeginTurn();
}

bool CReplay::BeginTurn() {
  if (m_inTurn || m_turnsDone >= m_record.m_turns.size() || !m_game.Match().IsInProgress()) return false;
  if (!m_game.StartRecordedTurn(m_record.m_turns[m_turnsDone].m_queues)) return false;
  // The first step after a step's interval: the turn is seen from its start.
  m_clock.WaitAStep();
  m_inTurn = true;
  return true;
}

void CReplay::AfterTick() {
  if (!m_inTurn || m_game.Match().IsExecuting()) return;
  m_inTurn = false;
  ++m_turnsDone;
  if (m_playing) BeginTurn();
}

void CReplay::Update(std::uint32_t elapsedMs, CTickListener& listener) {
  if (!m_playing) return;
  for (std::uint32_t tick = 0; tick < GetSpeed(); ++tick) {
    // The pace's further ticks come with the first.
    if (!m_clock.TakeTick(tick == 0 ? elapsedMs : CTurnClock::mc_tickMs)) break;
    m_clock.Tick(m_game);
    listener.GameTicked(m_game.Match());
    AfterTick();
  }
  // At the end, once the last effects have faded, the picture stands still.
  if (!m_inTurn && listener.IsStill() && m_turnsDone >= m_record.m_turns.size()) m_playing = false;
}

void CReplay::SetPlaying(bool playing) {
  m_playing = playing;
  if (!playing || m_inTurn) return;
  if (m_turnsDone >= m_record.m_turns.size() || !m_game.Match().IsInProgress()) Seek(0);
  BeginTurn();
}

void CReplay::NextStep() {
  m_playing = false;
  CGameWorld& match = m_game.Match();
  // After the fourth step the turn end is a step of its own: the computer plans anew.
  if (m_inTurn && match.GetStepsDone() >= CGameWorld::mc_turnSteps) {
    m_game.EndTurn();
    AfterTick();
    return;
  }
  if (!m_inTurn && !BeginTurn()) return;
  m_game.RunStep();
  m_game.StopIfFinished();
  AfterTick();
}

void CReplay::PreviousTurn() {
  const std::size_t shown =
      m_game.Match().GetStepsDone() > 0 ? m_turnsDone : (m_turnsDone > 0 ? m_turnsDone - 1 : 0);
  Seek(shown);
}
