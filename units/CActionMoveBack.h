#pragma once

#include "units/CAction.h"

// One cell back; waits while a tank stands on the target cell. The tank is
// busy for one more step.
class CActionMoveBack : public CAction {
 public:
  explicit CActionMoveBack(const TankState& before);
  bool Execute(CTank& tank) override;
  void Draw(float scale) const override;
  char Letter() const override { return 'B'; }
};
