#pragma once

#include <cstdint>

class CGameEngine;

// The game itself. For now a placeholder that offers what the engine needs:
// it draws the start screen's background and leaves on Escape.
class CGameWorld {
 public:
  explicit CGameWorld(CGameEngine* engine);

  void NewGame();
  // Advances the game by the milliseconds since the last frame.
  void Update(std::uint32_t elapsedMs);
  void Render();
  // A key was pressed (pressed = true) or released; sym is the SDL 1.2 key symbol.
  void OnKey(int sym, bool pressed);
  // A mouse button was pressed or released at window point (x, y), origin top-left.
  void OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y);

 private:
  CGameEngine* m_GameEngine;  // the engine; never null
};
