#pragma once

#include <cstddef>
#include <cstdint>

#include "world/CCombatLog.h"

// The events of the last turn played, as lines for the player: "T8 s3 Blue
// hits 2 side -20", "T8 s4 3 destroys Blue", "T9 s1 2 repaired +10". The
// player's tanks go by their slot numbers, the other team by its name.
const char* FormatLogEvent(const LogEvent& event, std::int32_t playerTeam, char* buffer, std::size_t size);
