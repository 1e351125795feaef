#pragma once

#include <cstdint>

// How the roster shows a tank's health: a bar of segments, one per full ten
// hit points, coloured by how badly the tank is hurt.
struct HealthBar {
  static constexpr std::int32_t mc_maxSegments = 10;  // as many as a tank at full health shows

  float m_rgba[4];         // colour of the segments
  std::int32_t m_segments; // segments shown, 0 to mc_maxSegments
};

// Up to 30 hit points red, 31 to 60 yellow, above 60 light grey.
HealthBar HealthBarFor(std::int32_t hitPoints);
