#include "units/CActionTurn.h"

#include "units/CTank.h"
#include "units/CommandMarker.h"

namespace {
TankState Turned(TankState state, bool right) {
  state.Turn(right);
  return state;
}
}  // namespace

CActionTurn::CActionTurn(const TankState& before, bool right)
    : CAction(before, Turned(before, right)), m_right(right) {}

bool CActionTurn::Execute(CTank& tank) {
  tank.Turn(m_right);
  return true;
}

void CActionTurn::Draw(float scale) const {
  // The arrow shows a right turn; a left turn shows it mirrored.
  DrawCommandMarker(kSpriteTurn, CellCentre(m_before.x), CellCentre(m_before.y),
                    static_cast<float>(m_before.Angle()), !m_right, scale);
}
