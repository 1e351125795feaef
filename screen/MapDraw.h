#pragma once

#include <cstdint>

class CMap;

// The battlefield's drawing, in map drawing space (cell (x, y) centred on
// (32x, 32y) of the current frame).

// Every cell's tile sprite, the whole grid as one batch.
void DrawMapTiles(const CMap& map);
// Half-transparent black over every cell the team does not see; a team
// other than 0 or 1 stops the program.
void DrawMapFog(const CMap& map, std::uint32_t team);
