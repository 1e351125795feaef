#include <algorithm>
#include <deque>

#include "audio/SoundTable.h"
#include "engine/Assert.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CReplay.h"

// The game clock and the execution of a turn: four steps about 300 ms apart,
// then the turn end with the centre-cell count, elimination and the
// computer's planning of its next turn.

void CGameWorld::Update(std::uint32_t elapsedMs) {
  KV_ASSERT(m_GameEngine);
  // The restart question and the no-path mark run on the wall clock, ticks or no ticks.
  m_RestartAskMs -= std::min(m_RestartAskMs, elapsedMs);
  m_NoPathMs -= std::min(m_NoPathMs, elapsedMs);
  if (m_Replay) {
    m_Replay->Update(elapsedMs);
    return;
  }
  if (m_Watch) {
    // The last turn shown again takes the time until its own turn end.
    m_Watch->Update(elapsedMs);
    if (!m_Watch->IsExecuting()) StopWatching();
    return;
  }
  m_Accumulator += elapsedMs;
  if (m_Accumulator < mc_tickMs) return;
  // One tick per call, however much time has gathered: the rest waits.
  m_Accumulator -= mc_tickMs;
  if (m_Mode == mc_modeStartScreen) return;

  if (m_StepsDone >= mc_turnSteps) EndTurn();
  // A finished game executes nothing, even after Space. A tie in the middle
  // of a turn never reaches the turn end that would fade the engine sound.
  StopFinishedGame();
  if (m_Executing) {
    if (m_StepTimer <= mc_tickMs) {
      RunStep();
    } else {
      m_StepTimer -= mc_tickMs;
    }
  }
  AgeEffects();
}

void CGameWorld::RunStep() {
  MarkStaticLayersDirty();  // the tanks use up planned commands
  ++m_StepsDone;
  // The log tells the turn being played, and after it the turn just played.
  if (m_StepsDone == 1) m_Log.Clear();
  // Tanks about to fire act before every other tank, so a shell reaches a
  // tank that moves away in the same step.
  std::deque<CTank*> order;
  for (const auto& tank : m_Tanks) {
    if (tank->NextIsFire()) {
      order.push_front(tank.get());
    } else {
      order.push_back(tank.get());
    }
  }
  // Nothing is removed during the pass: a tank hit earlier in the step still
  // takes its own step, so two tanks firing at each other both fire.
  for (CTank* tank : order) tank->Step();
  RemoveDestroyedTanks();
  RefreshVisibility();
  m_StepTimer = mc_stepIntervalMs;
}

void CGameWorld::RemoveDestroyedTanks() {
  std::size_t i = 0;
  while (i < m_Tanks.size()) {
    CTank* tank = m_Tanks[i].get();
    if (!tank->IsDestroyed()) {
      ++i;
      continue;
    }
    // The slot stays, empty, so the other tanks keep their numbers.
    for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
      for (CTank*& slot : m_TeamTanks[team]) {
        if (slot != tank) continue;
        slot = nullptr;
        --m_AliveCount[team];
      }
    }
    if (PlayerKnows(*tank)) AddWreck(*tank);
    // The last tank takes the hole and is examined next.
    std::swap(m_Tanks[i], m_Tanks.back());
    m_Tanks.pop_back();
  }
}

void CGameWorld::EndTurn() {
  StopEngineSound();
  m_Executing = false;
  m_StepsDone = 0;
  ++m_Turn;
  ReleaseWrecks();

  const PathNode centre = GetCentreGoal();
  bool held = false;
  for (const auto& tank : m_Tanks) {
    if (tank->GetX() != centre.x || tank->GetY() != centre.y) continue;
    if (tank->GetTeam() != m_HillTeam) m_HillCount = 0;
    held = true;
    ++m_HillCount;
    m_HillTeam = tank->GetTeam();
  }
  if (!held) m_HillCount = 0;

  // A team with no tank left loses, unless the other has none either: a tie.
  if (m_AliveCount[0] == 0 && m_AliveCount[1] != 0) {
    m_HillCount = mc_victoryHold;
    m_HillTeam = 1;
  } else if (m_AliveCount[1] == 0 && m_AliveCount[0] != 0) {
    m_HillCount = mc_victoryHold;
    m_HillTeam = 0;
  }

  if (IsGameOver()) {
    PlaySound(kSoundVictory);
  } else {
    PlanComputerTeam(1);
  }
  RecordTurnEnd();
}
