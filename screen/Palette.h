#pragma once

// The colours of the screens' texts and marks, red, green, blue and opacity.
namespace palette {
inline constexpr float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
// Under small text over the battlefield, so that it reads on any tile.
inline constexpr float kShadow[4] = {0.0f, 0.0f, 0.0f, 0.8f};
// The selection, the step numbers of plans and the questions to the player.
inline constexpr float kHighlight[4] = {1.0f, 0.85f, 0.2f, 1.0f};
// Green's and Blue's names and news.
inline constexpr float kTeams[2][4] = {{0.45f, 1.0f, 0.45f, 1.0f}, {0.55f, 0.75f, 1.0f, 1.0f}};
// News bad for the player.
inline constexpr float kBadNews[4] = {1.0f, 0.55f, 0.45f, 1.0f};
// The mark of a click that gave no path.
inline constexpr float kNoPath[4] = {1.0f, 0.3f, 0.25f, 1.0f};
}  // namespace palette
