#include "ai/players/CMirroredNormalGreen.h"

#include <utility>
#include <vector>

#include "ai/CComputerPlayer.h"
#include "ai/CTankPlanner.h"
#include "map/Battlefield.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CTeamView.h"

namespace {

// Appends to `to` the commands queued in `from`, the same kinds planned again.
void CopyQueue(const CTank& from, CTank& to, const CMap& map) {
  for (const TankCommand& command : from.GetCommands()) to.AddCommandLetter(command.Letter(), map);
}

}  // namespace

void CMirroredNormalGreen::Start(CGameWorld& match, const CComputerPlayer& computer) {
  m_mirror.GetMap() = match.GetMap();
  const CMap& map = match.GetMap();
  const auto w = static_cast<std::int32_t>(map.GetWidth());
  const auto h = static_cast<std::int32_t>(map.GetHeight());
  const MapCell centre = map.GetCentre();
  std::uint32_t i = 0;
  for (CTank* tank : match.GetTeamTanks(0)) {
    const std::int32_t row = i++ == 0 ? static_cast<std::int32_t>(kGoalRows) - 1
                                      : match.GetRandom().Random(static_cast<std::int32_t>(kGoalRows));
    if (row + 1 < static_cast<std::int32_t>(kGoalRows)) {
      const MapCell& goal = computer.GetGoalCell(static_cast<std::uint32_t>(row));
      tank->SetObjective(PathNode{w - 1 - goal.x, h - 1 - goal.y, kAnyHeading});
    } else {
      tank->SetObjective(PathNode{centre.x, centre.y, kAnyHeading});
    }
  }
}

void CMirroredNormalGreen::PlanTurn(CGameWorld& match) {
  m_mirror.Clear();
  std::vector<std::pair<CTank*, CTank*>> green;
  for (const CTank* tank : match.GetTanks()) {
    CTank* twin = m_mirror.AddTank(1 - static_cast<std::uint32_t>(tank->GetTeam()), tank->GetState());
    if (tank->GetTeam() != 0) continue;
    CTank* own = match.GetTeamTanks(0)[tank->GetSlot()];
    twin->SetObjective(own->GetObjective());
    twin->SetHitFromBehind(own->WasHitFromBehind());
    CopyQueue(*own, *twin, m_mirror.GetMap());
    green.emplace_back(own, twin);
  }
  // The centre count and turn as Green sees them: held by the mirror's
  // computer when Green holds it.
  MatchTally tally = m_mirror.GetTally();
  tally.m_turn = match.GetTurn();
  tally.m_hillTeam = 1 - match.GetHillTeam();
  tally.m_hillCount = match.GetHillCount();
  m_mirror.SetTally(tally);
  CMap& map = m_mirror.GetMap();
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      map.SetVisible(x, y, 1, match.GetMap().GetVisible(x, y, 0));
      map.SetVisible(x, y, 0, match.GetMap().GetVisible(x, y, 1));
    }
  }
  const CTeamView view(m_mirror, 1);
  m_layers.Update(view);
  CRandomTable& random = match.GetRandom();
  const CTankPlanner planner(view, m_layers, [&random] { return random.Next(); });
  for (auto& pair : green) {
    planner.PlanTurn(*pair.second);
    pair.first->ClearCommands();
    CopyQueue(*pair.second, *pair.first, match.GetMap());
    pair.first->SetObjective(pair.second->GetObjective());
    pair.first->SetHitFromBehind(false);
  }
}
