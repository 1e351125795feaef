#include <algorithm>

#include "ai/CHardPlanner.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"
#include "world/GameSnapshot.h"

// A game as it stands at a turn end, taken whole and put back whole: what a
// saved game needs to come back on a build whose rules have changed.

GameSnapshot CGameWorld::TakeSnapshot() const {
  GameSnapshot snapshot;
  snapshot.m_turn = m_Turn;
  snapshot.m_cursor = GetRandomTable().GetCursor();
  snapshot.m_hillTeam = m_HillTeam;
  snapshot.m_hillCount = m_HillCount;
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    snapshot.m_seenDestroyed[team] = static_cast<std::uint32_t>(m_SeenDestroyed[team]);
  }
  for (const auto& tank : m_Tanks) {
    SnapshotTank saved;
    saved.m_team = static_cast<std::uint32_t>(tank->GetTeam());
    saved.m_slot = SlotOf(*tank) - 1;
    saved.m_state = tank->GetState();
    saved.m_busy = tank->GetDelay();
    saved.m_hitFromBehind = tank->WasHitFromBehind();
    saved.m_objective = tank->GetObjective();
    saved.m_kept = static_cast<std::uint32_t>(tank->GetKeptCommands());
    const CTank::CommandQueue& commands = tank->GetCommands();
    if (!commands.empty()) saved.m_planFrom = commands.front()->GetBefore();
    for (const auto& command : commands) saved.m_commands += command->Letter();
    snapshot.m_tanks.push_back(std::move(saved));
  }
  const std::uint32_t width = m_Map.GetWidth();
  const std::uint32_t height = m_Map.GetHeight();
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    for (std::uint32_t row = 0; row < height && m_Map.HasGrid(); ++row) {
      std::string cells(width, '0');
      for (std::uint32_t x = 0; x < width; ++x) {
        if (m_Map.GetVisible(x, height - 1 - row, team)) cells[x] = '1';
      }
      snapshot.m_sight[team].push_back(std::move(cells));
    }
  }
  const CEnemyMemory& memory = m_HardPlanner->GetMemory();
  for (std::uint32_t slot = 0; slot < CEnemyMemory::mc_maxTanks; ++slot) {
    const CEnemyMemory::Sighting& sighting = memory.Get(slot);
    if (sighting.m_known) snapshot.m_memory.push_back(SnapshotSighting{slot, sighting.m_state, sighting.m_age});
  }
  snapshot.m_plannings = m_JamWatch.GetPlannings();
  const std::size_t watched = std::min(m_TeamTanks[1].size(), CJamWatch::mc_maxTanks);
  for (std::size_t slot = 0; slot < watched; ++slot) snapshot.m_jams.push_back(m_JamWatch.GetKept(slot));
  return snapshot;
}

bool CGameWorld::RestoreSnapshot(const GameSnapshot& snapshot, std::string& error) {
  // The record reader kept every number within the battlefield and the
  // teams; what it cannot know is where the walls are.
  GetRandomTable().SetCursor(snapshot.m_cursor);
  BeginRecord();
  ResolveGoals(m_Map, true, m_GoalCells);
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    m_TeamTanks[team].assign(m_TeamSize[team], nullptr);
    m_SeenDestroyed[team] = static_cast<std::int32_t>(snapshot.m_seenDestroyed[team]);
  }
  for (const SnapshotTank& saved : snapshot.m_tanks) {
    const TankState& state = saved.m_state;
    if (saved.m_team >= mc_numTeams || saved.m_slot >= m_TeamTanks[saved.m_team].size() ||
        m_TeamTanks[saved.m_team][saved.m_slot] || !IsHeading(state.dx, state.dy) ||
        m_Map.IsWallOrOutside(state.x, state.y) || IsTankAt(state.x, state.y, CTank::mc_noTeam)) {
      error = "a tank of its snapshot stands where no tank can";
      return false;
    }
    CTank* tank = AddTank(saved.m_team, state);
    // AddTank gave it the next slot: it goes to its own.
    m_TeamTanks[saved.m_team].pop_back();
    m_TeamTanks[saved.m_team][saved.m_slot] = tank;
    tank->SetDelay(saved.m_busy);
    tank->SetHitFromBehind(saved.m_hitFromBehind);
    tank->SetObjective(saved.m_objective);
    const TankState& from = saved.m_planFrom;
    const bool planned = !saved.m_commands.empty();
    if ((planned && m_Map.IsWallOrOutside(from.x, from.y)) ||
        !tank->RestoreQueue(from, saved.m_commands, saved.m_kept)) {
      error = "a queue of its snapshot runs into a wall";
      return false;
    }
  }
  const std::uint32_t width = m_Map.GetWidth();
  const std::uint32_t height = m_Map.GetHeight();
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    const std::vector<std::string>& rows = snapshot.m_sight[team];
    if (rows.size() != height) {
      error = "its snapshot's sight does not fit the battlefield";
      return false;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
      for (std::uint32_t x = 0; x < width && x < rows[row].size(); ++x) {
        m_Map.SetVisible(x, height - 1 - row, team, rows[row][x] == '1' ? 1 : 0);
      }
    }
  }
  m_Turn = snapshot.m_turn;
  m_HillTeam = snapshot.m_hillTeam;
  m_HillCount = snapshot.m_hillCount;
  CEnemyMemory& memory = m_HardPlanner->GetMemory();
  for (const SnapshotSighting& sighting : snapshot.m_memory) {
    if (sighting.m_slot < CEnemyMemory::mc_maxTanks) {
      memory.Set(sighting.m_slot, CEnemyMemory::Sighting{sighting.m_state, sighting.m_age, true});
    }
  }
  m_JamWatch.SetPlannings(snapshot.m_plannings);
  for (std::size_t slot = 0; slot < snapshot.m_jams.size() && slot < CJamWatch::mc_maxTanks; ++slot) {
    m_JamWatch.SetKept(slot, snapshot.m_jams[slot]);
  }
  // The threat lens shows the computer's picture of the game as it stands.
  UpdateThreatMaps();
  MarkStaticLayersDirty();
  return true;
}
