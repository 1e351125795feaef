#include "ai/PlanScoring.h"

#include <limits>

namespace {

constexpr float kMaxAggression = 0.9f;
constexpr float kFullHitPoints = 100.0f;
// Turn ends at which one team has held the centre: from here on every
// computer tank fights at full aggression.
constexpr std::uint32_t kHillCountForFullAggression = 5;

}  // namespace

float PlanAggression(std::int32_t hitPoints, std::uint32_t hillCount) {
  // hillCount / 10 >= 0.5, in whole numbers.
  if (hillCount >= kHillCountForFullAggression) return kMaxAggression;
  // One rounding, at the end: the product and the quotient in double are
  // exact enough that converting once gives the nearest float to the true
  // value for every hit-point value a tank can have.
  return static_cast<float>(static_cast<double>(hitPoints) * static_cast<double>(kMaxAggression) /
                            static_cast<double>(kFullHitPoints));
}

std::int32_t PlanScore(std::uint32_t threat, std::uint32_t vuln, std::int32_t budget, float aggression) {
  const float caution = 1.0f - aggression;
  // The threat counts as a signed number; negated in 64 bits so that no value
  // overflows.
  const auto signedThreat = static_cast<std::int32_t>(threat);
  const float danger = static_cast<float>(-static_cast<std::int64_t>(signedThreat)) * caution;
  // vuln x f + danger is exact in long double's 64-bit mantissa: f is a whole
  // number of hit points times 0.009 (no bit below 2^-30), the layers are
  // below 2^32, so the one rounding is the conversion to float.
  const long double exact = static_cast<long double>(vuln) * static_cast<long double>(aggression) +
                            static_cast<long double>(danger);
  const float rating = static_cast<float>(exact);
  // The sum is truncated as it is: rounded to float first, a sum halfway
  // between two floats could round up across a whole number (4 + (1 - 2^-22)
  // would score 5). A double holds every such sum exactly.
  const double score = static_cast<double>(budget) + static_cast<double>(rating);
  // Layers that wrapped around can give ratings beyond 32 bits: they are
  // held at the limits rather than converted out of range.
  constexpr double kTwoToThe31 = 2147483648.0;
  if (score >= kTwoToThe31) return std::numeric_limits<std::int32_t>::max();
  if (score < -kTwoToThe31) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(score);
}
