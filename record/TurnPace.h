#pragma once

#include <cstdint>

// How fast the live game's turns are shown, a step every 600, 300 or 150 ms.
// Display time only: the pace changes no rule, no record and no turn's end.
// The values are in the order of the settings file's words (normal first).
enum class TurnPace : std::uint8_t { Normal, Slow, Fast };

// Milliseconds from one step of a turn to the next at the pace.
constexpr std::uint32_t StepMsAt(TurnPace pace) {
  return pace == TurnPace::Slow ? 600 : pace == TurnPace::Fast ? 150 : 300;
}

// The pace's name as the screens show it: "Slow", "Normal" or "Fast".
constexpr const char* TurnPaceName(TurnPace pace) {
  return pace == TurnPace::Slow ? "Slow" : pace == TurnPace::Fast ? "Fast" : "Normal";
}

// The next pace, faster, or the one before; Fast is followed by Slow.
constexpr TurnPace NextTurnPace(TurnPace pace, bool faster) {
  if (faster) {
    return pace == TurnPace::Slow ? TurnPace::Normal : pace == TurnPace::Normal ? TurnPace::Fast : TurnPace::Slow;
  }
  return pace == TurnPace::Fast ? TurnPace::Normal : pace == TurnPace::Normal ? TurnPace::Slow : TurnPace::Fast;
}
