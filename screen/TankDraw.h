#pragma once

#include <cstdint>

class CTank;
struct TankCommand;

// The tanks' drawing, in map drawing space (cell (x, y) centred on
// (32x, 32y) of the current frame).

// The tank's sprite; a selected tank pulses grey.
void DrawTank(const CTank& tank, bool selected);
// The markers of every queued command, the earliest on top. The selected
// tank's markers are full size and numbered by the step of the turn they
// will run in (the next step of this turn is nextStep), commands beyond it
// dimmer; a command repeated in place shows once with its count. Other
// tanks' markers are small and faint.
void DrawTankCommands(const CTank& tank, bool selected, std::int32_t nextStep = 1);
// One command's marker, scale times its size, in the colour set.
void DrawCommand(const TankCommand& command, float scale);
