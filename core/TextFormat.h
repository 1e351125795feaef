#pragma once

#include <cstddef>

// Formats printf-style into a caller's fixed buffer, always terminated, never
// overrunning it; text that does not fit is cut. Returns the buffer, so a
// formatted line can be handed straight to a drawing call.
const char* FormatText(char* buffer, std::size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// How wide a text is drawn in the font with this number (the caller's
// numbering), in pixels: the sum of its characters' advances.
using TextWidthOf = float (*)(int font, const char* text);

// A text laid out in lines that each fit a room (FitText). Fixed buffers:
// laying a line out allocates nothing.
struct FittedText {
  static constexpr std::size_t mc_maxLines = 4;
  static constexpr std::size_t mc_lineSize = 256;

  char m_lines[mc_maxLines][mc_lineSize] = {};  // the lines, top first, each terminated
  std::size_t m_count = 0;                       // how many of m_lines are used
};

// Lays the text out in at most maxLines lines (1 to FittedText::mc_maxLines;
// more count as that many), none wider than `room` as widthOf measures it in
// `font`: broken at blanks; a word wider than a whole line (a file's path) is
// shortened in its middle to its start, "..." and its end, the end given the
// larger part; text left over when the lines run out ends the last line in
// "...". A character is never cut in two (UTF-8), a line longer than
// mc_lineSize - 1 bytes is cut to that first. A room too narrow for "..."
// leaves a line empty. Empty text gives no line.
void FitText(const char* text, float room, std::size_t maxLines, int font, TextWidthOf widthOf, FittedText& out);
