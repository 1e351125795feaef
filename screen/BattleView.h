#pragma once

#include <cstdint>

// Whose fog the battle screen draws: what Green saw (the player's own view in
// play), what Blue saw (the computer), or the whole battlefield.
enum class BattleView : std::uint8_t { GreenFog, BlueFog, Everything };

// The view after this one, round the three.
constexpr BattleView NextBattleView(BattleView view) {
  return view == BattleView::GreenFog ? BattleView::BlueFog
                                      : view == BattleView::BlueFog ? BattleView::Everything : BattleView::GreenFog;
}

// As the replay's status line names it.
constexpr const char* BattleViewName(BattleView view) {
  return view == BattleView::GreenFog ? "Green's fog" : view == BattleView::BlueFog ? "Blue's fog" : "Everything";
}
