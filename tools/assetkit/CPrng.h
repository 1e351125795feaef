#pragma once

#include <cstdint>

// The generators' own random numbers: a small PCG32 generator, so a given seed
// gives the same sequence on every machine and the assets come out byte for
// byte the same each time.
class CPrng {
 public:
  explicit CPrng(std::uint64_t seed) : m_state(0) {
    NextU32();
    m_state += seed;
    NextU32();
  }

  std::uint32_t NextU32() {
    const std::uint64_t old = m_state;
    m_state = old * 6364136223846793005ULL + mc_increment;
    const std::uint32_t xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const std::uint32_t rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorShifted >> rot) | (xorShifted << ((32u - rot) & 31u));
  }
  // Uniform in [0, 1).
  float NextFloat() { return static_cast<float>(NextU32() >> 8) * (1.0f / 16777216.0f); }
  // Uniform in [-1, 1).
  float NextSigned() { return NextFloat() * 2.0f - 1.0f; }
  // Uniform in [0, n) for n >= 1.
  int NextInt(int n) { return static_cast<int>(NextFloat() * static_cast<float>(n)); }

 private:
  static constexpr std::uint64_t mc_increment = 1442695040888963407ULL;  // odd stream constant
  std::uint64_t m_state;  // the generator's 64-bit state
};
