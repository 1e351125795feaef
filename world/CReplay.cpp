#include "world/CReplay.h"

#include <SDL.h>

#include "engine/Assert.h"
#include "world/CRandomTable.h"

CReplay::CReplay(CGameEngine* engine, CGameRecord record)
    : m_world(std::make_unique<CGameWorld>(engine)),
      m_record(std::move(record)),
      m_tableSeed(GetRandomTable().GetSeed()),
      m_tableCursor(GetRandomTable().GetCursor()) {
  m_world->m_InReplay = true;
}

CReplay::~CReplay() {
  // The game left behind draws on as if no replay had been.
  CRandomTable& table = GetRandomTable();
  if (table.GetSeed() != m_tableSeed) table.Fill(m_tableSeed);
  table.SetCursor(m_tableCursor);
}

bool CReplay::Check(std::string& error) {
  if (!m_world->ReplayRecord(m_record, m_record.m_turns.size(), error)) return false;
  Seek(0);
  return true;
}

void CReplay::Seek(std::size_t turns) {
  std::string error;
  // The whole record replayed to its checksums when the replay opened.
  const bool replayed = m_world->ReplayRecord(m_record, turns, error);
  KV_ASSERT(replayed);
  m_world->m_Mode = CGameWorld::mc_modePlay;
  m_world->MarkStaticLayersDirty();
  m_turnsDone = turns;
  m_inTurn = false;
  if (m_playing) BeginTurn();
}

bool CReplay::BeginTurn() {
  CGameWorld& world = *m_world;
  if (m_inTurn || m_turnsDone >= m_record.m_turns.size() || !world.IsInProgress()) return false;
  if (!world.StartRecordedTurn(m_record.m_turns[m_turnsDone].m_queues)) return false;
  m_inTurn = true;
  return true;
}

void CReplay::AfterTick() {
  if (!m_inTurn || m_world->IsExecuting()) return;
  m_inTurn = false;
  ++m_turnsDone;
  // The computer planned anew: the threat lens changes.
  m_world->MarkStaticLayersDirty();
  if (m_playing) BeginTurn();
}

void CReplay::Update(std::uint32_t elapsedMs) {
  if (!m_playing) return;
  CGameWorld& world = *m_world;
  const bool ticks = world.GetAccumulator() + elapsedMs >= CGameWorld::mc_tickMs;
  world.Update(elapsedMs);
  AfterTick();
  for (std::size_t i = 1; ticks && i < GetSpeed(); ++i) {
    world.Update(CGameWorld::mc_tickMs);
    AfterTick();
  }
  // At the end, once the last effects have faded, the picture stands still.
  if (!m_inTurn && world.GetEffects().empty() && m_turnsDone >= m_record.m_turns.size()) m_playing = false;
}

void CReplay::SetPlaying(bool playing) {
  m_playing = playing;
  if (!playing || m_inTurn) return;
  if (m_turnsDone >= m_record.m_turns.size() || !m_world->IsInProgress()) Seek(0);
  BeginTurn();
}

void CReplay::NextStep() {
  m_playing = false;
  CGameWorld& world = *m_world;
  // After the fourth step the turn end is a step of its own: the computer plans anew.
  if (m_inTurn && world.m_StepsDone >= CGameWorld::mc_turnSteps) {
    world.EndTurn();
    AfterTick();
    return;
  }
  if (!m_inTurn && !BeginTurn()) return;
  // The effects of the step before fade as in a step's interval.
  for (std::uint32_t ms = 0; ms < CGameWorld::mc_stepIntervalMs; ms += CGameWorld::mc_tickMs) world.AgeEffects();
  world.RunStep();
  world.StopFinishedGame();
  AfterTick();
}

void CReplay::PreviousTurn() {
  const std::size_t shown = m_world->GetStepsDone() > 0 ? m_turnsDone : (m_turnsDone > 0 ? m_turnsDone - 1 : 0);
  Seek(shown);
}

bool CReplay::OnKey(int sym) {
  CGameWorld& world = *m_world;
  world.MarkStaticLayersDirty();
  // The help panel takes the next key press and nothing else.
  if (world.m_ShowHelp) {
    world.m_ShowHelp = false;
    return true;
  }
  switch (sym) {
    case SDLK_ESCAPE: return false;
    case SDLK_SPACE: SetPlaying(!m_playing); break;
    case SDLK_RIGHT:
    case SDLK_n: NextStep(); break;
    case SDLK_LEFT:
    case SDLK_p: PreviousTurn(); break;
    case SDLK_s: m_speedIndex = (m_speedIndex + 1) % (sizeof mc_speeds / sizeof mc_speeds[0]); break;
    case SDLK_1: m_speedIndex = 0; break;
    case SDLK_2: m_speedIndex = 1; break;
    case SDLK_4: m_speedIndex = 2; break;
    case SDLK_g:
    case SDLK_TAB: world.SetView(NextBattleView(world.GetView())); break;
    case SDLK_t: world.SetThreatLens(!world.IsThreatLensShown()); break;
    case SDLK_F1: world.m_ShowHelp = true; break;
    default: break;
  }
  return true;
}
