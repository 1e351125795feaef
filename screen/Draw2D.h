#pragma once

#include "gfx/GameFonts.h"
#include "gfx/SpriteId.h"

// Small drawing helpers every screen uses, in the current frame's
// coordinates.

// The current colour from red, green, blue and opacity.
void SetColour(const float rgba[4]);
// Text in the main font with the start of its baseline at (x, y).
void DrawText(float x, float y, const char* text);
// Text in the font from (x, y), no wider than `room`: a line too long (one
// naming a file deep in its folders) loses its start to "...", so that it
// never runs into what stands beside it or off the window. Allocates nothing
// for lines up to 1 KiB.
void DrawFitted(GameFont font, float x, float y, const char* text, float room);
// Text in the font from (x, y) in the colour over a dark shadow one pixel
// right and down, so that it reads on any tile; the shadow takes the text's
// opacity.
void DrawShadowedText(GameFont font, float x, float y, const char* text, const float rgba[4]);
// The same with the dark drawn a pixel off in all four diagonal directions: an
// outline that reads over any colour, the threat lens's included.
void DrawOutlinedText(GameFont font, float x, float y, const char* text, const float rgba[4]);
// The corners of a rectangle, for a batch of quads.
void EmitQuad(float left, float bottom, float right, float top);
// An untextured rectangle between two corners.
void DrawQuad(float left, float bottom, float right, float top);
// The sprite centred on (x, y).
void DrawSpriteAt(SpriteId id, float x, float y);
