#pragma once

class CGameWorld;

// Whoever shows a game that plays on the clock: told of every tick the game
// takes, and asked whether anything on screen still moves.
class CTickListener {
 public:
  // The game took a tick; its match's events are waiting.
  virtual void GameTicked(CGameWorld& match) = 0;
  // Nothing shown moves any more (the last effects have faded).
  virtual bool IsStill() const = 0;

 protected:
  ~CTickListener() = default;
};
