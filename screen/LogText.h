#pragma once

#include <cstddef>
#include <cstdint>

#include "units/TankHit.h"
#include "world/CCombatLog.h"

// The words of the combat log and the shot preview. Tanks go by their team's
// letter and number (slot + 1): "G2", "B4".

// Where a shell struck: "rear", "side", "front", "on repair".
const char* HitSideName(HitSide side);
// The tank's name, "G2" or "B4", from its team (0 Green, 1 Blue; another
// team's letter is "?") and its slot + 1.
const char* FormatTankName(std::int32_t team, std::uint32_t number, char* buffer, std::size_t size);
// One event of the log as one line: "G2 -> B4 side -20", "G1 -> G3 own tank
// -20" (a team's shell into its own tank), "fog -> G2 rear -50" (a shooter
// the player's team does not see), "G3 destroys B1", "G1 destroys own G2",
// "fog destroys G2", "G2 repaired +10". Its turn and step head the lines of
// that step (FormatLogStep).
const char* FormatLogEvent(const LogEvent& event, char* buffer, std::size_t size);
// The heading of a step's lines: "Turn 8, step 3".
const char* FormatLogStep(const LogEvent& event, char* buffer, std::size_t size);
