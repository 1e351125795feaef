#pragma once

#include "units/TankState.h"

class CTank;

// One planned command of a tank. A queue of them is a chain: each records the
// state the tank is planned to have before and after it.
class CAction {
 public:
  CAction(const TankState& before, const TankState& after) : m_before(before), m_after(after) {}
  CAction(const CAction&) = delete;
  CAction& operator=(const CAction&) = delete;

  // Carries the command out on the tank; false when it cannot be done now
  // (it then stays queued and is tried again in the next step).
  virtual bool Execute(CTank& tank) = 0;
  // Draws the command's marker in map drawing space, scale times its size.
  virtual void Draw(float scale) const = 0;
  virtual ~CAction() = default;
  virtual bool IsFire() const { return false; }
  // The command's letter in a game record: A forward, B back, L and R the
  // turns, W wait, F fire.
  virtual char Letter() const = 0;

  const TankState& GetBefore() const { return m_before; }
  const TankState& GetAfter() const { return m_after; }

 protected:
  TankState m_before;  // the tank's planned state when the command starts
  TankState m_after;   // the tank's planned state when it is done
};
