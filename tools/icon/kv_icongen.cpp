// Writes the window icon "KVIcon.bmp": a 32 x 32, 8-bit palettised BMP of the
// green tank, barrel up. Palette index 0 is the transparent colour and fills
// the background, so the top-left pixel (which the game takes as the colour
// key) is transparent.
//
//   kv_icongen OUTDIR
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "assetkit/BmpWriter.h"
#include "sprites/SpritePainters.h"

namespace {

constexpr int kSide = 32;
constexpr PaletteColour kKey{255, 0, 255};  // transparent: a colour the tank never uses

std::uint8_t ToByte(float v) { return static_cast<std::uint8_t>(std::lround(std::min(std::max(v, 0.0f), 1.0f) * 255.0f)); }

int Distance2(const PaletteColour& a, const PaletteColour& b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  CCanvas canvas(kSide, kSide);
  PaintTank(canvas, GreenTeam(), -90.0f);

  // Pixels at least half covered become opaque (edges darkened by their
  // coverage, which blends them into the outline); the rest is transparent.
  std::vector<PaletteColour> colours(kSide * kSide);
  std::vector<bool> opaque(kSide * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const Rgba c = canvas.Pixel(x, y);
      const int i = y * kSide + x;
      opaque[i] = c.a >= 0.5f;
      colours[i] = {ToByte(c.r * c.a), ToByte(c.g * c.a), ToByte(c.b * c.a)};
    }
  }

  // Palette: the average colour of the most used 4-bit-per-channel bins.
  struct Bin {
    int count = 0;
    int r = 0, g = 0, b = 0;
  };
  std::map<int, Bin> bins;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    if (!opaque[i]) continue;
    const PaletteColour& c = colours[i];
    Bin& bin = bins[(c.r >> 4) << 8 | (c.g >> 4) << 4 | (c.b >> 4)];
    ++bin.count;
    bin.r += c.r;
    bin.g += c.g;
    bin.b += c.b;
  }
  std::vector<std::pair<int, Bin>> ranked(bins.begin(), bins.end());
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
  std::array<PaletteColour, 256> palette{};
  palette.fill({0, 0, 0});
  palette[0] = kKey;
  const std::size_t used = std::min<std::size_t>(ranked.size(), 255);
  for (std::size_t i = 0; i < used; ++i) {
    const Bin& bin = ranked[i].second;
    palette[i + 1] = {static_cast<std::uint8_t>(bin.r / bin.count), static_cast<std::uint8_t>(bin.g / bin.count),
                      static_cast<std::uint8_t>(bin.b / bin.count)};
  }

  std::vector<std::uint8_t> indices(kSide * kSide, 0);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    if (!opaque[i]) continue;
    int best = 1;
    for (int p = 2; p <= static_cast<int>(used); ++p) {
      if (Distance2(colours[i], palette[p]) < Distance2(colours[i], palette[best])) best = p;
    }
    indices[i] = static_cast<std::uint8_t>(best);
  }

  const std::filesystem::path out = std::filesystem::path(argv[1]) / "KVIcon.bmp";
  return WriteBmp8(out.string(), kSide, kSide, indices, palette) ? 0 : 1;
}
