#include "units/CActionFire.h"

#include "units/CTank.h"
#include "units/CommandMarker.h"

bool CActionFire::Execute(CTank& tank) {
  tank.Fire();
  return true;
}

void CActionFire::Draw(float scale) const {
  // Half a cell ahead of the tank: at its muzzle.
  const float x = ScreenLayout::mc_halfCell * static_cast<float>(2 * m_after.x + m_after.dx);
  const float y = ScreenLayout::mc_halfCell * static_cast<float>(2 * m_after.y + m_after.dy);
  DrawCommandMarker(kSpriteFire, x, y, static_cast<float>(m_before.Angle()), false, scale);
}
