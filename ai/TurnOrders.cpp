#include "ai/TurnOrders.h"

#include "units/CTank.h"

void QueueOrders(CTank& tank, const TurnOrders& orders, const CMap& map) {
  tank.ClearCommands();
  for (std::int32_t i = 0; i < orders.m_count; ++i) {
    switch (orders.m_commands[i]) {
      case CommandKind::TurnRight: tank.AddTurn(true); break;
      case CommandKind::TurnLeft: tank.AddTurn(false); break;
      case CommandKind::Forward: tank.AddMoveForward(map); break;
      case CommandKind::Back: tank.AddMoveBack(map); break;
      case CommandKind::Wait: tank.AddWait(); break;
      case CommandKind::Fire: tank.AddFire(); break;
    }
  }
}

bool SameOrders(const TurnOrders& a, const TurnOrders& b) {
  if (a.m_count != b.m_count) return false;
  for (std::int32_t i = 0; i < a.m_count; ++i) {
    if (a.m_commands[i] != b.m_commands[i]) return false;
  }
  return true;
}

std::uint32_t FireSteps(const TurnOrders& orders) {
  std::uint32_t bits = 0;
  for (std::int32_t step = 0; step < TurnOrders::mc_steps; ++step) {
    if (orders.m_fires[step]) bits |= 1u << step;
  }
  return bits;
}
