#pragma once

#include "units/CAction.h"

// One cell forward; waits while a tank stands on the target cell.
class CActionMoveFwd : public CAction {
 public:
  explicit CActionMoveFwd(const TankState& before);
  bool Execute(CTank& tank) override;
  void Draw(float scale) const override;
  char Letter() const override { return 'A'; }
};
