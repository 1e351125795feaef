#pragma once

#include <cstdint>

// Where the start screen's controls take a left click, in drawing coordinates
// (origin bottom-left, y = 768 - the window's y), bounds inclusive. Each box
// is the ink of its mark or of "Start" as the start screen draws them with
// the game's font at 24 pixels, where ScreenLayout places them; the
// battlefield's "< >" stands right of the longest name its line can show.
struct ClickBox {
  std::int32_t left;    // smallest x
  std::int32_t right;   // greatest x
  std::int32_t bottom;  // smallest y
  std::int32_t top;     // greatest y

  bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x <= right && y >= bottom && y <= top; }
};

struct StartScreenControls {
  static constexpr ClickBox mc_greenLess{405, 416, 392, 404};
  static constexpr ClickBox mc_greenMore{425, 436, 392, 404};
  static constexpr ClickBox mc_blueLess{405, 416, 372, 384};
  static constexpr ClickBox mc_blueMore{425, 436, 372, 384};
  static constexpr ClickBox mc_start{151, 208, 330, 346};
  static constexpr ClickBox mc_levelLess{405, 416, 222, 234};
  static constexpr ClickBox mc_levelMore{425, 436, 222, 234};
  static constexpr ClickBox mc_paceLess{405, 416, 192, 204};
  static constexpr ClickBox mc_paceMore{425, 436, 192, 204};
  // "Continue" from (150, 300), shown when an autosaved game waits.
  static constexpr ClickBox mc_continue{151, 258, 300, 317};
  static constexpr ClickBox mc_mapLess{541, 552, 252, 264};
  static constexpr ClickBox mc_mapMore{561, 572, 252, 264};
  // Where the chosen battlefield's picture is drawn, centred, as large as fits.
  static constexpr ClickBox mc_mapPicture{600, 1000, 120, 300};
};
