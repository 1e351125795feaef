#pragma once

// Sprites of the planned-command markers.
enum CommandSprite {
  kSpriteMoveDestination = 8,
  kSpriteForwardTrack = 9,
  kSpriteTurn = 10,
  kSpriteWait = 11,
  kSpriteBackTrack = 12,
  kSpriteFire = 13,
};

// Draws a command marker: the sprite centred on point (x, y) of map drawing
// space, turned by angle degrees counter-clockwise and, when mirrored, flipped
// across its own x axis after the turn. The caller sets the colour.
void DrawCommandMarker(int sprite, float x, float y, float angle, bool mirrored = false);

// Map drawing coordinate of a cell's centre along one axis: cells lie 32 units apart.
constexpr float CellCentre(int cell) { return 32.0f * static_cast<float>(cell); }
