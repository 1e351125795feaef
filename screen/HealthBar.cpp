#include "screen/HealthBar.h"

#include <algorithm>

namespace {

constexpr std::int32_t kPointsPerSegment = 10;
constexpr std::int32_t kRedUpTo = 30;
constexpr std::int32_t kYellowUpTo = 60;

}  // namespace

HealthBar HealthBarFor(std::int32_t hitPoints) {
  HealthBar bar{{0.8f, 0.8f, 0.8f, 1.0f}, 0};
  if (hitPoints <= kRedUpTo) {
    bar = HealthBar{{0.8f, 0.0f, 0.0f, 1.0f}, 0};
  } else if (hitPoints <= kYellowUpTo) {
    bar = HealthBar{{0.8f, 0.8f, 0.0f, 1.0f}, 0};
  }
  // More hit points than a new tank has would run the segments out of the bar.
  bar.m_segments = std::clamp(hitPoints / kPointsPerSegment, 0, HealthBar::mc_maxSegments);
  return bar;
}
