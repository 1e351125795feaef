#pragma once

#include "units/CAction.h"

// Fire a shell along the heading; the tank is busy for one more step.
class CActionFire : public CAction {
 public:
  explicit CActionFire(const TankState& state) : CAction(state, state) {}
  bool Execute(CTank& tank) override;
  void Draw(float scale) const override;
  bool IsFire() const override { return true; }
  char Letter() const override { return 'F'; }
};
