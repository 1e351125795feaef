#pragma once

#include "units/CAction.h"

// A quarter turn in place.
class CActionTurn : public CAction {
 public:
  CActionTurn(const TankState& before, bool right);
  bool Execute(CTank& tank) override;
  void Draw(float scale) const override;
  char Letter() const override { return m_right ? 'R' : 'L'; }

  bool IsRight() const { return m_right; }

 private:
  bool m_right;  // true: clockwise on screen
};
