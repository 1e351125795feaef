#include "core/ProgramClock.h"

#include <chrono>

namespace {

// Taken when the program is loaded, before main runs.
const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();
double g_heldAt = -1.0;  // the reading the clock is held at; negative while it runs

}  // namespace

double SecondsSinceProgramStart() {
  if (g_heldAt >= 0.0) return g_heldAt;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - kProgramStart).count();
}

void HoldProgramClock(double seconds) { g_heldAt = seconds; }
