#pragma once

#include <cstdint>

// The version of the game's rules and of the computer's planning, written
// into every record. A record replays turn by turn only on a build of the
// same rules; a saved game of other rules comes back from its snapshot.
// Bump it with any change that makes a turn end differently: moves, shots,
// damage, repair, sight, the centre count, set-up, the random draws or
// either computer level's plans (HACKING.md says how).
inline constexpr std::uint32_t kRulesVersion = 3;
