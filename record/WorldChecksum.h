#pragma once

#include <cstdint>

class CGameWorld;

// A fingerprint of everything that decides how a game goes on: every tank
// (slot, cell, heading, hit points, busy steps, objective, queued commands),
// the living counts, the centre-cell count and its team, both teams'
// visibility and the random table's cursor. Two worlds with the same
// checksum at a turn's end play the rest of the game alike. Allocates nothing.
std::uint64_t WorldChecksum(const CGameWorld& world);
