#pragma once

#include <cstdint>

// A command a test player gives one of Green's tanks, as the player's keys
// give them: a step forward or back, a quarter turn, a wait or a shot.
enum class GreenOrder : std::uint8_t { Forward, Back, TurnLeft, TurnRight, Wait, Fire };

// Steps of a turn the order keeps the tank busy: a step back and a shot two
// (the move or the shot, then a busy step), every other order one.
constexpr std::int32_t OrderSteps(GreenOrder order) {
  return order == GreenOrder::Back || order == GreenOrder::Fire ? 2 : 1;
}
