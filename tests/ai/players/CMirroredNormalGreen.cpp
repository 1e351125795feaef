#include "ai/players/CMirroredNormalGreen.h"

#include <string>
#include <utility>
#include <vector>

#include "ai/CTankPlanner.h"
#include "map/Battlefield.h"
#include "map/CMap.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"

namespace {

// Appends to `to` the commands queued in `from`, made again from the states
// each records.
void CopyQueue(const CTank& from, CTank& to) {
  for (const auto& command : from.GetCommands()) {
    const TankState& before = command->GetBefore();
    const TankState& after = command->GetAfter();
    if (command->IsFire()) {
      to.AddFire();
    } else if (after.x == before.x + before.dx && after.y == before.y + before.dy) {
      to.AddMoveForward();
    } else if (after.x != before.x || after.y != before.y) {
      to.AddMoveBack();
    } else if (after.dx != before.dx || after.dy != before.dy) {
      to.AddTurn(after.dx == before.dy && after.dy == -before.dx);
    } else {
      to.AddWait();
    }
  }
}

// The map file text of the battlefield's walls, its top row first.
std::string WallsText(const CMap& map) {
  std::string text;
  for (std::uint32_t row = map.GetHeight(); row-- > 0;) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) text += map.IsWall(x, row) ? '#' : '.';
    text += '\n';
  }
  return text;
}

}  // namespace

CMirroredNormalGreen::CMirroredNormalGreen() = default;

void CMirroredNormalGreen::Start(CGameWorld& world) {
  const std::string walls = WallsText(world.GetMap());
  m_mirror.GetMap().LoadFromMemory(reinterpret_cast<const unsigned char*>(walls.data()), walls.size());
  const auto w = static_cast<std::int32_t>(world.GetMap().GetWidth());
  const auto h = static_cast<std::int32_t>(world.GetMap().GetHeight());
  std::uint32_t i = 0;
  for (CTank* tank : world.GetTeamTanks(0)) {
    const std::int32_t row = i++ == 0 ? static_cast<std::int32_t>(kGoalRows) - 1
                                      : GetRandomTable().Random(static_cast<std::int32_t>(kGoalRows));
    if (row + 1 < static_cast<std::int32_t>(kGoalRows)) {
      const MapCell& goal = world.GetGoalCell(static_cast<std::uint32_t>(row));
      tank->SetObjective(PathNode{w - 1 - goal.x, h - 1 - goal.y, kAnyHeading});
    } else {
      tank->SetObjective(world.GetCentreGoal());
    }
  }
}

void CMirroredNormalGreen::PlanTurn(CGameWorld& world) {
  m_mirror.ClearGame();
  std::vector<std::pair<CTank*, CTank*>> green;
  for (const auto& tank : world.GetTanks()) {
    CTank* twin = m_mirror.AddTank(1 - static_cast<std::uint32_t>(tank->GetTeam()), tank->GetState());
    if (tank->GetTeam() != 0) continue;
    twin->SetObjective(tank->GetObjective());
    twin->SetHitFromBehind(tank->WasHitFromBehind());
    CopyQueue(*tank, *twin);
    green.emplace_back(tank.get(), twin);
  }
  // The centre count as Green sees it: held by the mirror's computer when Green holds it.
  m_mirror.SetCentreHold(1 - world.GetHillTeam(), world.GetHillCount());
  CMap& map = m_mirror.GetMap();
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      map.SetVisible(x, y, 1, world.GetMap().GetVisible(x, y, 0));
      map.SetVisible(x, y, 0, world.GetMap().GetVisible(x, y, 1));
    }
  }
  m_mirror.UpdateThreatMaps();
  for (auto& pair : green) {
    CTankPlanner(m_mirror).PlanTurn(*pair.second);
    pair.first->ClearCommands();
    CopyQueue(*pair.second, *pair.first);
    pair.first->SetObjective(pair.second->GetObjective());
    pair.first->SetHitFromBehind(false);
  }
}
