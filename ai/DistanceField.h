#pragma once

#include <cstdint>
#include <vector>

class CKnownMatch;

// Distance of a cell no source reaches.
inline constexpr std::int32_t kFarAway = 1000;

// A field with every cell of the known match's battlefield kFarAway, for
// the caller to mark its sources with 0.
std::vector<std::int32_t> EmptyField(const CKnownMatch& known);
// Fills the field from its cells of 0: the fewest moves from each open cell
// to one of them, round the walls and the tanks of the teams `blockers`
// (a bit per team: 1 << team) as they stand at the turn end, but the tank
// `passable` (an index in the known match's list; -1: none). Cells no
// source reaches keep kFarAway. A field of another size is left as it is.
void FillDistances(const CKnownMatch& known, std::vector<std::int32_t>& field, std::uint32_t blockers,
                   std::int32_t passable = -1);
// Marks with 0 the cells from which a shell meets the known match's tank
// `target` (its index) in the side or the back, within `reach` cells and
// before any wall or other tank; its front line too when `front` is set.
// Marks nothing for an index out of range.
void MarkFiringCells(const CKnownMatch& known, std::vector<std::int32_t>& field, std::int32_t target,
                     std::int32_t reach, bool front);
