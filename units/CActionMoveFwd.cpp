#include "units/CActionMoveFwd.h"

#include "units/CTank.h"
#include "units/CommandMarker.h"

namespace {
TankState Advanced(TankState state) {
  state.Advance();
  return state;
}
}  // namespace

CActionMoveFwd::CActionMoveFwd(const TankState& before) : CAction(before, Advanced(before)) {}

bool CActionMoveFwd::Execute(CTank& tank) {
  if (!tank.CanEnter(m_after.x, m_after.y)) return false;
  tank.MoveForward();
  return true;
}

void CActionMoveFwd::Draw(float scale) const {
  const float angle = static_cast<float>(m_after.Angle());
  const float x = CellCentre(m_after.x);
  const float y = CellCentre(m_after.y);
  DrawCommandMarker(kSpriteMoveDestination, x, y, angle, false, scale);
  // Half-way back towards the start.
  DrawCommandMarker(kSpriteForwardTrack, x - ScreenLayout::mc_halfCell * static_cast<float>(m_after.dx),
                    y - ScreenLayout::mc_halfCell * static_cast<float>(m_after.dy), angle, false, scale);
}
