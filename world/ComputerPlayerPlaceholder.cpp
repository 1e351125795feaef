#include "world/CGameWorld.h"

// Stand-ins until the computer opponent is built; it replaces this file.
// Blue then sees no threat anywhere and plans nothing: its tanks stand idle.

void CGameWorld::UpdateThreatMaps() {
  m_Map.ClearThreat();
  m_Map.ClearVuln();
}

void CGameWorld::PlanTankTurn(CTank& /*tank*/) {}
