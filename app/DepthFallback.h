#pragma once

// The game draws nothing that needs a depth buffer, so a display without a
// 32-bit one is asked for the next best instead of refusing to start.
inline constexpr int kDepthSizes[] = {32, 24, 16, 0};

// Calls tryDepth with each depth size in turn until one succeeds; returns
// that size, or -1 when none did.
template <typename TryDepth>
int FirstWorkingDepth(TryDepth tryDepth) {
  for (const int depth : kDepthSizes) {
    if (tryDepth(depth)) return depth;
  }
  return -1;
}
