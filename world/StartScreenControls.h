#pragma once

#include <cstdint>

// Where the start screen's controls take a left click, in drawing coordinates
// (origin bottom-left, y = 768 - the window's y), bounds inclusive. Each box
// is the ink of its mark or of "Start" as the start screen draws them with
// the game's font at 24 pixels, where ScreenLayout places them.
struct ClickBox {
  std::int32_t left;    // smallest x
  std::int32_t right;   // greatest x
  std::int32_t bottom;  // smallest y
  std::int32_t top;     // greatest y

  bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x <= right && y >= bottom && y <= top; }
};

struct StartScreenControls {
  static constexpr ClickBox mc_greenLess{391, 402, 392, 404};
  static constexpr ClickBox mc_greenMore{411, 422, 392, 404};
  static constexpr ClickBox mc_blueLess{391, 402, 372, 384};
  static constexpr ClickBox mc_blueMore{411, 422, 372, 384};
  static constexpr ClickBox mc_start{151, 208, 330, 346};
  static constexpr ClickBox mc_levelLess{391, 402, 222, 234};
  static constexpr ClickBox mc_levelMore{411, 422, 222, 234};
  // "Continue" from (150, 300), shown when an autosaved game waits.
  static constexpr ClickBox mc_continue{151, 258, 300, 317};
};
