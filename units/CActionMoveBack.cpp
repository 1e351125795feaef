#include "units/CActionMoveBack.h"

#include "units/CTank.h"
#include "units/CommandMarker.h"

namespace {
TankState Retreated(TankState state) {
  state.Retreat();
  return state;
}
}  // namespace

CActionMoveBack::CActionMoveBack(const TankState& before) : CAction(before, Retreated(before)) {}

bool CActionMoveBack::Execute(CTank& tank) {
  if (!tank.CanEnter(m_after.x, m_after.y)) return false;
  tank.MoveBack();
  return true;
}

void CActionMoveBack::Draw(float scale) const {
  const float angle = static_cast<float>(m_after.Angle());
  const float x = CellCentre(m_after.x);
  const float y = CellCentre(m_after.y);
  DrawCommandMarker(kSpriteMoveDestination, x, y, angle, false, scale);
  // Half-way towards the start, which lies ahead of the destination.
  DrawCommandMarker(kSpriteBackTrack, x + ScreenLayout::mc_halfCell * static_cast<float>(m_after.dx),
                    y + ScreenLayout::mc_halfCell * static_cast<float>(m_after.dy), angle, false, scale);
}
