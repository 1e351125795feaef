#include "ai/players/CGreenSight.h"

#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

constexpr std::uint32_t kGreen = 0;
constexpr std::uint32_t kBlue = 1;

}  // namespace

void CGreenSight::Look() {
  const CMap& map = m_world.GetMap();
  m_width = static_cast<std::int32_t>(map.GetWidth());
  m_height = static_cast<std::int32_t>(map.GetHeight());
  const std::size_t cells = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
  m_walls.assign(cells, 1);
  m_sees.assign(cells, 0);
  m_repairCells.clear();
  if (map.HasGrid()) {
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
        const std::size_t cell = x + static_cast<std::size_t>(y) * map.GetWidth();
        m_walls[cell] = map.IsWall(x, y) ? 1 : 0;
        m_sees[cell] = map.GetVisible(x, y, kGreen) != 0 ? 1 : 0;
        const auto column = static_cast<std::int32_t>(x);
        const auto row = static_cast<std::int32_t>(y);
        if (m_world.IsRepairCell(column, row)) m_repairCells.push_back(MapCell{column, row});
      }
    }
  }
  const PathNode centre = m_world.GetCentreGoal();
  m_centre = MapCell{centre.x, centre.y};

  m_own.clear();
  const CGameWorld::TeamSlots& green = m_world.GetTeamTanks(kGreen);
  for (std::size_t slot = 0; slot < green.size(); ++slot) {
    CTank* tank = green[slot];
    if (!tank) continue;
    m_own.push_back(Own{static_cast<std::uint32_t>(slot), tank->GetState(), tank->GetDelay(),
                        static_cast<std::uint32_t>(tank->GetCommands().size()), tank->WasHitFromBehind()});
    tank->SetHitFromBehind(false);
  }
  m_seen.clear();
  const CGameWorld::TeamSlots& blue = m_world.GetTeamTanks(kBlue);
  for (std::size_t slot = 0; slot < blue.size() && slot < mc_maxSlots; ++slot) {
    const CTank* tank = blue[slot];
    if (tank && Sees(tank->GetX(), tank->GetY()))
      m_seen.push_back(Seen{static_cast<std::uint32_t>(slot), tank->GetState()});
  }

  m_holdCount = m_world.GetHillCount();
  m_holder = m_holdCount == 0 ? Holder::Nobody : m_world.GetHillTeam() == 0 ? Holder::Green : Holder::Blue;
  m_turn = m_world.GetTurn();
}

bool CGreenSight::IsOpen(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return false;
  return m_walls[static_cast<std::size_t>(x + y * m_width)] == 0;
}

bool CGreenSight::Sees(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return false;
  return m_sees[static_cast<std::size_t>(x + y * m_width)] != 0;
}

void CGreenSight::ClearOrders(std::uint32_t slot) {
  const CGameWorld::TeamSlots& green = m_world.GetTeamTanks(kGreen);
  if (slot < green.size() && green[slot]) green[slot]->ClearCommands();
}

void CGreenSight::Give(std::uint32_t slot, GreenOrder order) {
  const CGameWorld::TeamSlots& green = m_world.GetTeamTanks(kGreen);
  if (slot >= green.size() || !green[slot]) return;
  CTank& tank = *green[slot];
  switch (order) {
    case GreenOrder::Forward: tank.AddMoveForward(); break;
    case GreenOrder::Back: tank.AddMoveBack(); break;
    case GreenOrder::TurnLeft: tank.AddTurn(false); break;
    case GreenOrder::TurnRight: tank.AddTurn(true); break;
    case GreenOrder::Wait: tank.AddWait(); break;
    case GreenOrder::Fire: tank.AddFire(); break;
  }
}
