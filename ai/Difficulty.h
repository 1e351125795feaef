#pragma once

#include <cstdint>

// How the computer plans Blue's tanks: "Normal", the tank planner the game has
// always had, or "Hard", which plans the team together and fights for the centre.
enum class Difficulty : std::uint8_t { Normal, Hard };

// The level's name as the start screen shows it: "Normal" or "Hard".
const char* DifficultyName(Difficulty level);
// The level named by a command-line word, "normal" or "hard"; false (level
// unchanged) for any other word or none.
bool ParseDifficulty(const char* word, Difficulty& level);
// The next level in the start screen's list, or the one before; the list wraps round.
Difficulty NextDifficulty(Difficulty level, bool forward);
