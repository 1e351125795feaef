#pragma once

#include <cstdint>
#include <vector>

// One picture of the sprite atlas, drawn centred on the current origin at the
// image's own size.
struct Sprite {
  float u0;              // texture s of the image's left edge
  float u1;              // texture s of its right edge
  float v0;              // texture t of its top row
  float v1;              // texture t of its bottom row
  float halfHeight;      // half the image's height, pixels
  float halfWidth;       // half the image's width, pixels
  std::uint32_t texture; // OpenGL name of the atlas texture
  bool turned;           // stored a quarter turn clockwise in the atlas
};

// Every sprite of the game; a sprite's id is its index.
using SpriteTable = std::vector<Sprite>;

// The program's sprite table, created empty on first use and never destroyed.
SpriteTable& GetSprites();

// Reads the sprite list (the game's own, or the given one), loads each image,
// packs them all into one square power-of-two RGBA texture and appends one
// sprite per listed image. Needs a current OpenGL context. A missing or
// broken image shows the placeholder under its own id, silently; a blank line
// gives no sprite.
void LoadSprites(SpriteTable& table);
void LoadSprites(SpriteTable& table, const char* listPath);

// The sprite with that id, or null when the table has none.
const Sprite* GetSprite(const SpriteTable& table, int id);

// Draws the sprite centred on the current origin; the caller sets colour and
// transformation. Null draws nothing.
void DrawSprite(const Sprite* sprite);

// The four textured corners of the sprite centred on (x, y) of the current
// frame, for a batch of quads between glBegin(GL_QUADS) and glEnd that the
// caller opens with the sprite's texture bound. DrawSprite draws the same
// corners about the origin.
void EmitSpriteCorners(const Sprite& sprite, float x, float y);
