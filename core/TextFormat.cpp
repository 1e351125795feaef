#include "core/TextFormat.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char kEllipsis[] = "...";
constexpr std::size_t kEllipsisLength = sizeof kEllipsis - 1;

// A byte that continues a UTF-8 character: no cut may fall before it.
bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the text's start cut to at most `length` bytes at a character's edge.
std::size_t CharacterEdgeBefore(const char* text, std::size_t length) {
  while (length > 0 && Continues(text[length])) --length;
  return length;
}

// What one line is measured with.
struct Measure {
  float room;          // the widest a line may be
  int font;            // measured in this font
  TextWidthOf widthOf; // by this

  float Width(const char* text) const { return widthOf(font, text); }
  bool Fits(const char* text) const { return Width(text) <= room; }
};

// Copies `length` bytes of `from` into the line, terminated.
void SetLine(char* line, const char* from, std::size_t length) {
  length = std::min(length, FittedText::mc_lineSize - 1);
  std::memcpy(line, from, length);
  line[length] = '\0';
}

// The word, too wide for a line of its own, as its start, "..." and its end:
// the end (a file's name) takes up to two thirds of the room, the start what
// is left.
void ShortenInMiddle(const char* word, std::size_t length, const Measure& measure, char* line) {
  char trial[FittedText::mc_lineSize];
  const std::size_t limit = FittedText::mc_lineSize - 1 - kEllipsisLength;
  // The longest end within two thirds of the room, "..." in front.
  std::size_t tail = 0;
  for (std::size_t take = 1; take <= length && take <= limit / 2; ++take) {
    if (Continues(word[length - take])) continue;
    FormatText(trial, sizeof trial, "%s%.*s", kEllipsis, static_cast<int>(take), word + length - take);
    if (measure.Width(trial) > measure.room * 2.0f / 3.0f) break;
    tail = take;
  }
  // Then the longest start that still fits before it.
  std::size_t head = 0;
  for (std::size_t take = 1; take + tail < length && take + tail <= limit; ++take) {
    if (Continues(word[take])) continue;
    FormatText(trial, sizeof trial, "%.*s%s%.*s", static_cast<int>(take), word, kEllipsis, static_cast<int>(tail),
                  word + length - tail);
    if (!measure.Fits(trial)) break;
    head = take;
  }
  FormatText(trial, sizeof trial, "%.*s%s%.*s", static_cast<int>(head), word, kEllipsis, static_cast<int>(tail),
                word + length - tail);
  if (measure.Fits(trial)) {
    FormatText(line, FittedText::mc_lineSize, "%s", trial);
  } else {
    line[0] = '\0';  // not even "..." fits
  }
}

// The line with "..." at its end, its last characters given up until that fits.
void EndInEllipsis(char* line, const Measure& measure) {
  char trial[FittedText::mc_lineSize];
  std::size_t length = CharacterEdgeBefore(line, std::min(std::strlen(line), sizeof trial - 1 - kEllipsisLength));
  for (;;) {
    FormatText(trial, sizeof trial, "%.*s%s", static_cast<int>(length), line, kEllipsis);
    if (measure.Fits(trial) || length == 0) break;
    length = CharacterEdgeBefore(line, length - 1);
  }
  FormatText(line, FittedText::mc_lineSize, "%s", measure.Fits(trial) ? trial : "");
}

bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\t'; }

}  // namespace

const char* FormatText(char* buffer, std::size_t size, const char* format, ...) {
  if (size == 0) return buffer;
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  if (written < 0) buffer[0] = '\0';
  return buffer;
}

void FitText(const char* text, float room, std::size_t maxLines, int font, TextWidthOf widthOf, FittedText& out) {
  out.m_count = 0;
  maxLines = std::min(std::max<std::size_t>(maxLines, 1), FittedText::mc_maxLines);
  const Measure measure{room, font, widthOf};
  char trial[FittedText::mc_lineSize];
  const char* at = text;
  while (*at) {
    while (IsBlank(*at)) ++at;
    if (!*at) break;
    const char* end = at;
    while (*end && !IsBlank(*end)) ++end;
    const auto length = static_cast<std::size_t>(end - at);
    char* line = out.m_count > 0 ? out.m_lines[out.m_count - 1] : nullptr;
    // The word joins the line when both fit together.
    if (line) {
      const std::size_t used = std::strlen(line);
      if (used + 1 + length < sizeof trial) {
        FormatText(trial, sizeof trial, "%s %.*s", line, static_cast<int>(length), at);
        if (measure.Fits(trial)) {
          SetLine(line, trial, std::strlen(trial));
          at = end;
          continue;
        }
      }
    }
    // Otherwise it starts a line, if one is left.
    if (out.m_count == maxLines) {
      EndInEllipsis(out.m_lines[out.m_count - 1], measure);
      return;
    }
    line = out.m_lines[out.m_count++];
    SetLine(line, at, CharacterEdgeBefore(at, std::min(length, FittedText::mc_lineSize - 1)));
    if (!measure.Fits(line)) ShortenInMiddle(at, length, measure, line);
    at = end;
  }
}
