#pragma once

#include "units/CAction.h"

// Idle for one step, repairing on a repair cell.
class CActionWait : public CAction {
 public:
  explicit CActionWait(const TankState& state) : CAction(state, state) {}
  bool Execute(CTank& tank) override;
  void Draw(float scale) const override;
  char Letter() const override { return 'W'; }
};
