#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/PixelBox.h"

// A frame drawn by the game, read back through OpenGL's feedback mode and
// sorted into what was drawn: characters of the game's font, sprites of the
// sprite atlas, untextured rectangles and lines, in drawing order. Positions
// are window pixels with the origin at the bottom-left, as the game draws.
struct DrawnQuad {
  // Glyph: a character of the main font; SmallGlyph: of the small font.
  // Blank: a quad of no size, as a blank character gives.
  enum class Kind { Glyph, SmallGlyph, Sprite, Plain, Blank, Unknown };

  Kind kind = Kind::Unknown;
  std::size_t order = 0;           // place in the frame's drawing order
  float left = 0, right = 0;       // extent in the window
  float bottom = 0, top = 0;
  float rgba[4] = {};              // colour
  int code = -1;                   // Glyph, SmallGlyph: character code; Sprite: sprite id
  float penX = 0, baseline = 0;    // Glyph, SmallGlyph: the pen position the character was drawn from
  int angle = 0;                   // Sprite: turn in degrees, counter-clockwise (0, 90, 180, 270)
  float scale = 1;                 // Sprite: drawn size against the sprite's own

  float CentreX() const { return (left + right) / 2; }
  float CentreY() const { return (bottom + top) / 2; }
  bool HasColour(float r, float g, float b, float a) const;
};

struct DrawnLine {
  std::size_t order = 0;  // place in the frame's drawing order
  float x0 = 0, y0 = 0;   // the segment's ends
  float x1 = 0, y1 = 0;
  float rgba[4] = {};
};

class CapturedFrame {
 public:
  // Runs the drawing in feedback mode and sorts what it drew. The game's
  // font (font 0) and sprite table name the characters and sprites.
  explicit CapturedFrame(const std::function<void()>& draw);

  const std::vector<DrawnQuad>& Quads() const { return m_quads; }
  const std::vector<DrawnLine>& Lines() const { return m_lines; }
  std::vector<DrawnQuad> OfKind(DrawnQuad::Kind kind) const;
  std::vector<DrawnQuad> SpritesWithId(int id) const;

  // The text whose baseline starts at (x, y), read character by character
  // along the pen's advances, at most maxLength characters; blanks show as
  // gaps of a blank's advance. Empty when no character stands there.
  std::string TextAt(float x, float y, std::size_t maxLength = SIZE_MAX) const;
  // The same in the small font.
  std::string SmallTextAt(float x, float y, std::size_t maxLength = SIZE_MAX) const;
  // Every character drawn, counted.
  std::size_t GlyphCount() const;

 private:
  const DrawnQuad* GlyphAt(DrawnQuad::Kind kind, float penX, float baseline) const;
  std::string ReadText(int font, float x, float y, std::size_t maxLength) const;

  std::vector<DrawnQuad> m_quads;  // in drawing order
  std::vector<DrawnLine> m_lines;  // in drawing order
};

// The characters of a text that leave ink (blanks do not).
std::size_t InkedCharacters(const std::string& text);

// The window's colour buffer after the last drawing, RGB, bottom row first.
class WindowPixels {
 public:
  WindowPixels();
  struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
  };
  // The pixel at drawing point (x, y), origin bottom-left.
  Rgb At(int x, int y) const;

  // The smallest box around every pixel in [left, right] x [bottom, top] that
  // differs from the colour; false when all of them have it.
  using Box = PixelBox;
  bool InkBox(int left, int right, int bottom, int top, Rgb background, Box& ink) const;

  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  int m_width = 0;                  // window size
  int m_height = 0;
  std::vector<std::uint8_t> m_rgb;  // RGB rows, bottom first
};
