#pragma once

#include <cstdint>

// How much a computer tank values a chance to attack against the danger of
// standing in enemy fire: hit points x 0.9f / 100 rounded once to single
// precision (0.9f at full health), or 0.9f whatever the damage once a team
// has held the centre cell for 5 turn ends in a row and the game is about to
// be decided there.
float PlanAggression(std::int32_t hitPoints, std::uint32_t hillCount);

// The planner's rating of a state on a cell with this threat and
// vulnerability, with `budget` time units of the turn left:
// budget + vuln x f - threat x (1 - f), truncated toward zero. The rating's
// products are rounded to single precision the way it has always been
// computed: (1 - f) and threat x (1 - f) each on their own, vuln x f and the
// threat term only once, together. The budget is added to that rating
// exactly, with no further rounding before the truncation.
std::int32_t PlanScore(std::uint32_t threat, std::uint32_t vuln, std::int32_t budget, float aggression);
