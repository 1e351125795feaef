#include "ai/Difficulty.h"

#include <cstddef>
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

Difficulty NextDifficulty(Difficulty level, bool forward) {
  constexpr Difficulty kLevels[] = {Difficulty::Normal, Difficulty::Hard};
  constexpr std::size_t kCount = sizeof kLevels / sizeof kLevels[0];
  std::size_t index = 0;
  while (index + 1 < kCount && kLevels[index] != level) ++index;
  return kLevels[(index + (forward ? 1 : kCount - 1)) % kCount];
}
