#include "ai/CTankPlanner.h"
#include "world/CGameWorld.h"

// The world's hook for the computer player: each Blue tank is planned on its
// own against the layers UpdateThreatMaps built for this turn end.
void CGameWorld::PlanTankTurn(CTank& tank) { CTankPlanner(*this).PlanTurn(tank); }
