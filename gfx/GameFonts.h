#pragma once

// The game's two sizes of its one font, by load index in the font manager:
// the main text at 24 pixels, and the small text of the battlefield's labels,
// the turn and score lines and the combat log.
enum GameFont : int {
  kMainFont = 0,
  kSmallFont = 1,
};

inline constexpr float kMainFontSize = 24.0f;
inline constexpr float kSmallFontSize = 14.0f;

// Loads the font file at both sizes into the font manager, in the order of
// their indices; false when the file does not load (then neither is there).
bool LoadGameFonts(const char* path);
// Loads the font file at one size, as the font with that index: only when
// the fonts before it are there and it is not (else false, nothing loaded),
// so that every font keeps its index; false too when the file does not load.
bool LoadGameFont(const char* path, GameFont font);

// Text with the start of its baseline at (x, y) of the current frame, in the
// current colour; nothing when the font did not load.
void DrawGameText(GameFont font, float x, float y, const char* text);
// The pen advance of the whole text in pixels; 0 without the font.
float GameTextWidth(GameFont font, const char* text);
