#pragma once

#include <cstddef>

#include "screen/ScreenLayout.h"
#include "screen/StartScreenControls.h"

// Where each slot of the player's roster stands (ScreenLayout places the
// roster). A slot's origin is its label's baseline; its icon is 20 below, its
// health bar from 38 to 111 below.
struct RosterLayout {
  static float SlotX(std::size_t slot) {
    return static_cast<float>(ScreenLayout::mc_rosterLeft) +
           static_cast<float>(ScreenLayout::mc_rosterSlotStep) *
               static_cast<float>(slot % ScreenLayout::mc_rosterSlotsPerRow);
  }
  static float SlotY(std::size_t slot) {
    return static_cast<float>(ScreenLayout::mc_rosterBottom) +
           static_cast<float>(ScreenLayout::mc_rosterRowStep) *
               static_cast<float>(slot / ScreenLayout::mc_rosterSlotsPerRow);
  }
  // The slot's label, icon and bar: a click there selects its tank.
  static ClickBox SlotBox(std::size_t slot) {
    const auto x = static_cast<std::int32_t>(SlotX(slot));
    const auto y = static_cast<std::int32_t>(SlotY(slot));
    return ClickBox{x - 16, x + 15, y - 113, y + 22};
  }
};
