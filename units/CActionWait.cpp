#include "units/CActionWait.h"

#include "units/CTank.h"
#include "units/CommandMarker.h"

bool CActionWait::Execute(CTank& tank) {
  tank.Wait();
  return true;
}

void CActionWait::Draw(float scale) const {
  DrawCommandMarker(kSpriteWait, CellCentre(m_before.x), CellCentre(m_before.y), 0.0f, false, scale);
}
