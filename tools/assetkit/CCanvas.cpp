#include "CCanvas.h"

#include <algorithm>
#include <cmath>

namespace {

float Clamp01(float v) { return std::min(std::max(v, 0.0f), 1.0f); }

std::uint8_t ToByte(float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

}  // namespace

CCanvas::CCanvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                                 Rgba{0.0f, 0.0f, 0.0f, 0.0f}) {}

void CCanvas::Blend(int x, int y, Rgba colour, float coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  const float sa = Clamp01(colour.a) * Clamp01(coverage);
  if (sa <= 0.0f) return;
  Rgba& d = m_pixels[Index(x, y)];
  const float outA = sa + d.a * (1.0f - sa);
  const float keep = d.a * (1.0f - sa);
  d.r = (colour.r * sa + d.r * keep) / outA;
  d.g = (colour.g * sa + d.g * keep) / outA;
  d.b = (colour.b * sa + d.b * keep) / outA;
  d.a = outA;
}

void CCanvas::Fill(const Sdf& shape, const Paint& paint) {
  const float step = 1.0f / mc_samples;
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      int inside = 0;
      for (int sy = 0; sy < mc_samples; ++sy) {
        for (int sx = 0; sx < mc_samples; ++sx) {
          if (shape(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step) < 0.0f) ++inside;
        }
      }
      if (inside == 0) continue;
      Blend(x, y, paint(x + 0.5f, y + 0.5f), static_cast<float>(inside) / (mc_samples * mc_samples));
    }
  }
}

void CCanvas::Fill(const Sdf& shape, Rgba colour) {
  Fill(shape, [colour](float, float) { return colour; });
}

void CCanvas::Paste(const CCanvas& other, int x, int y, int scale, float opacity) {
  for (int oy = 0; oy < other.m_height; ++oy) {
    for (int ox = 0; ox < other.m_width; ++ox) {
      const Rgba c = other.Pixel(ox, oy);
      for (int py = 0; py < scale; ++py) {
        for (int px = 0; px < scale; ++px) Blend(x + ox * scale + px, y + oy * scale + py, c, opacity);
      }
    }
  }
}

std::vector<std::uint8_t> CCanvas::ToRgba8() const {
  std::vector<std::uint8_t> out;
  out.reserve(m_pixels.size() * 4);
  for (const Rgba& c : m_pixels) {
    out.push_back(ToByte(c.r));
    out.push_back(ToByte(c.g));
    out.push_back(ToByte(c.b));
    out.push_back(ToByte(c.a));
  }
  // Fully transparent pixels take the colour of their visible neighbours, so
  // that the game's linear filtering of a turned sprite does not pull a dark
  // fringe into its edges. Two rings are enough for the filter.
  std::vector<std::uint8_t> known(m_pixels.size());
  for (std::size_t i = 0; i < m_pixels.size(); ++i) known[i] = out[i * 4 + 3] != 0;
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<std::uint8_t> next = known;
    for (int y = 0; y < m_height; ++y) {
      for (int x = 0; x < m_width; ++x) {
        const std::size_t i = Index(x, y);
        if (known[i]) continue;
        int sum[3] = {0, 0, 0};
        int count = 0;
        for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, m_height - 1); ++ny) {
          for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, m_width - 1); ++nx) {
            const std::size_t n = Index(nx, ny);
            if (!known[n]) continue;
            for (int ch = 0; ch < 3; ++ch) sum[ch] += out[n * 4 + static_cast<std::size_t>(ch)];
            ++count;
          }
        }
        if (count == 0) {
          for (int ch = 0; ch < 3; ++ch) out[i * 4 + static_cast<std::size_t>(ch)] = 0;
          continue;
        }
        for (int ch = 0; ch < 3; ++ch) {
          out[i * 4 + static_cast<std::size_t>(ch)] = static_cast<std::uint8_t>((sum[ch] + count / 2) / count);
        }
        next[i] = 1;
      }
    }
    known.swap(next);
  }
  return out;
}
