#include "ai/CComputerPlayer.h"

#include "ai/CTankPlanner.h"
#include "core/Assert.h"
#include "world/CGameWorld.h"
#include "world/CTeamView.h"

static_assert(CJamWatch::mc_maxTanks == CGameWorld::mc_maxTeamSize, "the jam watch keeps every slot of a team");

void CComputerPlayer::StartGame(CGameWorld& match) {
  m_hard.Reset();
  m_jamWatch.Reset();
  ResolveGoals(match.GetMap(), true, m_goalCells);
  const MapCell centre = match.GetMap().GetCentre();
  bool first = true;
  for (CTank* tank : match.GetTeamTanks(mc_team)) {
    if (!tank) continue;
    PathNode goal{centre.x, centre.y, kAnyHeading};
    if (!first) {
      const std::int32_t row = match.GetRandom().Random(kGoalRows);
      if (row < static_cast<std::int32_t>(kGoalRows) - 1) goal = PathNode{m_goalCells[row].x, m_goalCells[row].y, kAnyHeading};
    }
    tank->SetObjective(goal);
    first = false;
  }
  PlanTurn(match);
}

void CComputerPlayer::Resume(const CGameWorld& match) {
  m_hard.Reset();
  m_jamWatch.Reset();
  ResolveGoals(match.GetMap(), true, m_goalCells);
  m_layers.Update(CTeamView(match, mc_team));
}

void CComputerPlayer::PlanTurn(CGameWorld& match) {
  const CTeamView view(match, mc_team);
  m_layers.Update(view);
  CTankSlots<CTank> own = match.GetTeamTanks(mc_team);
  if (m_level == Difficulty::Hard) {
    m_hard.PlanTeam(view, own);
    return;
  }
  CRandomTable& random = match.GetRandom();
  const CTankPlanner planner(view, m_layers, [&random] { return random.Next(); });
  m_jamWatch.BeginPlanning(view.GetOwnTanks());
  for (std::size_t slot = 0; slot < own.size(); ++slot) {
    CTank* tank = own[slot];
    if (!tank) continue;
    if (m_jamWatch.MustDropRoute(slot)) DropRoute(slot, *tank);
    planner.PlanTurn(*tank);
    m_jamWatch.Planned(slot, *tank);
  }
  m_jamWatch.EndPlanning();
}

void CComputerPlayer::DropRoute(std::size_t slot, CTank& tank) {
  // Routes ignore friendly tanks, so the same route would jam again: the
  // tank heads for another row of the goal table.
  tank.ClearCommands();
  const MapCell& goal = m_goalCells[(slot + m_jamWatch.GetPlannings()) % (kGoalRows - 1)];
  tank.SetObjective(PathNode{goal.x, goal.y, kAnyHeading});
}

const MapCell& CComputerPlayer::GetGoalCell(std::uint32_t row) const {
  KV_ASSERT(row + 1 < kGoalRows);
  return m_goalCells[row];
}
