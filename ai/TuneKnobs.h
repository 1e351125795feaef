#pragma once
// SCRATCH: tuning knobs read from the environment.
#include <cstdlib>
inline long Knob(const char* name, long def) {
  const char* v = std::getenv(name);
  return v ? std::atol(v) : def;
}
