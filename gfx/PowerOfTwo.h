#pragma once

#include <cstdint>

// The smallest power of two that is at least v, for v >= 1; 0 for v = 0.
// Texture sides must be powers of two in OpenGL 1.x.
inline std::uint32_t NextPowerOfTwo(std::uint32_t v) {
  --v;
  v |= v >> 1;
  v |= v >> 2;
  v |= v >> 4;
  v |= v >> 8;
  v |= v >> 16;
  return v + 1;
}
