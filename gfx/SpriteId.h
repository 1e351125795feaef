#pragma once

#include <cstdint>

// Sprite ids the game draws; a sprite's id is its place (from 0) among the
// sprite list's lines that are not blank.
enum SpriteId {
  kSpriteGreenTank = 0,
  kSpriteBlueTank = 1,
  kSpriteGround = 2,
  kSpriteWall = 3,
  kSpritePuff = 4,
  kSpriteCentreMark = 5,
  kSpriteFlash = 6,
  kSpriteRepairMark = 7,
  kSpriteMoveDestination = 8,
  kSpriteForwardTrack = 9,
  kSpriteTurn = 10,
  kSpriteWait = 11,
  kSpriteBackTrack = 12,
  kSpriteFire = 13,
};

// The tank picture of a team: Green's for team 0, Blue's for any other.
constexpr SpriteId TankSprite(std::int32_t team) { return team == 0 ? kSpriteGreenTank : kSpriteBlueTank; }
