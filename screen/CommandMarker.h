#pragma once

#include "gfx/SpriteId.h"
#include "screen/ScreenLayout.h"

// Draws a command marker: the sprite centred on point (x, y) of map drawing
// space, turned by angle degrees counter-clockwise and, when mirrored, flipped
// across its own x axis after the turn, scale times its size. The caller sets
// the colour.
void DrawCommandMarker(SpriteId sprite, float x, float y, float angle, bool mirrored = false, float scale = 1.0f);
