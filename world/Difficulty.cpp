#include "world/Difficulty.h"

#include <cstring>

const char* DifficultyName(Difficulty level) { return level == Difficulty::Hard ? "Hard" : "Normal"; }

bool ParseDifficulty(const char* word, Difficulty& level) {
  if (!word) return false;
  if (std::strcmp(word, "normal") == 0) {
    level = Difficulty::Normal;
  } else if (std::strcmp(word, "hard") == 0) {
    level = Difficulty::Hard;
  } else {
    return false;
  }
  return true;
}

Difficulty NextDifficulty(Difficulty level, bool /*forward*/) {
  // Two levels: either way leads to the other.
  return level == Difficulty::Hard ? Difficulty::Normal : Difficulty::Hard;
}
