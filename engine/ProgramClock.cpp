#include "engine/ProgramClock.h"

#include <chrono>

namespace {

// Taken when the program is loaded, before main runs.
const std::chrono::steady_clock::time_point kProgramStart = std::chrono::steady_clock::now();

}  // namespace

double SecondsSinceProgramStart() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - kProgramStart).count();
}
