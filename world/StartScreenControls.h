#pragma once

#include <cstdint>

// Where the start screen's controls take a left click, in drawing coordinates
// (origin bottom-left, y = 768 - the window's y), bounds inclusive. They lie
// on the ink of the "<" and ">" marks and of "Start" as the start screen
// draws them with the game's font.
struct ClickBox {
  std::int32_t left;    // smallest x
  std::int32_t right;   // greatest x
  std::int32_t bottom;  // smallest y
  std::int32_t top;     // greatest y

  bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x <= right && y >= bottom && y <= top; }
};

struct StartScreenControls {
  static constexpr ClickBox mc_greenLess{389, 398, 391, 399};
  static constexpr ClickBox mc_greenMore{411, 420, 391, 399};
  static constexpr ClickBox mc_blueLess{389, 398, 371, 379};
  static constexpr ClickBox mc_blueMore{411, 420, 371, 379};
  static constexpr ClickBox mc_start{149, 216, 328, 342};
};
