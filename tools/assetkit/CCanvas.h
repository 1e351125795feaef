#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Rgba.h"
#include "Shapes.h"

// Colour of a shape at a point (pixel coordinates, as for Sdf).
using Paint = std::function<Rgba(float x, float y)>;

// An RGBA picture the generators paint into, starting fully transparent.
// Shapes are painted with anti-aliased edges (4 x 4 samples a pixel) and
// blended over what is there already.
class CCanvas {
 public:
  CCanvas(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  Rgba Pixel(int x, int y) const { return m_pixels[Index(x, y)]; }
  void SetPixel(int x, int y, Rgba colour) { m_pixels[Index(x, y)] = colour; }

  // Blends the colour over the pixel, weighted by coverage (0 to 1).
  void Blend(int x, int y, Rgba colour, float coverage);
  // Paints the inside of the shape.
  void Fill(const Sdf& shape, const Paint& paint);
  void Fill(const Sdf& shape, Rgba colour);
  // Copies another canvas blended over this one at (x, y), each pixel of it
  // enlarged to scale x scale pixels and faded by `opacity`.
  void Paste(const CCanvas& other, int x, int y, int scale, float opacity = 1.0f);

  // 8 bits a channel, rows top to bottom, R G B A bytes.
  std::vector<std::uint8_t> ToRgba8() const;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
  }

  static constexpr int mc_samples = 4;  // samples per pixel side when painting shapes
  int m_width;                          // pixels
  int m_height;                         // pixels
  std::vector<Rgba> m_pixels;           // row by row, top row first
};
