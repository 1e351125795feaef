// Draws a picture of every shipped battlefield for the README, as the start
// screen shows it: walls light, ground dark, the centre cell yellow, the
// repair cells cyan, ten start cells a side in the team's colour, and the
// computer's goal cells (the digits of the file) orange.
//
//   kv_mappictures ROOT
//
// reads ROOT/Data/maps.dat and the files it names, and writes
// ROOT/docs/battlefields/<file>.png, 8 pixels a cell.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assetkit/PngEncoder.h"

namespace {

constexpr int kCell = 8;

struct Colour {
  std::uint8_t r, g, b;
};

bool Draw(const std::string& mapPath, const std::string& pngPath) {
  std::ifstream in(mapPath);
  std::vector<std::string> rows;  // top row first
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(line);
  }
  const int h = static_cast<int>(rows.size());
  int w = 0;
  for (const std::string& row : rows) w = std::max(w, static_cast<int>(row.size()));
  if (w < 3 || h < 3) return false;
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w * kCell) * h * kCell * 4);
  auto fill = [&](int x, int y, Colour c) {  // y from the bottom
    const int top = (h - 1 - y) * kCell;
    for (int py = top; py < top + kCell; ++py) {
      for (int px = x * kCell; px < (x + 1) * kCell; ++px) {
        std::uint8_t* p = &rgba[(static_cast<std::size_t>(py) * w * kCell + px) * 4];
        p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
      }
    }
  };
  for (int y = 0; y < h; ++y) {
    const std::string& row = rows[h - 1 - y];
    for (int x = 0; x < w; ++x) {
      const char c = x < static_cast<int>(row.size()) ? row[x] : '.';
      fill(x, y, c == '#' ? Colour{191, 191, 184} : (c >= '1' && c <= '6') ? Colour{240, 140, 30} : Colour{77, 92, 61});
    }
  }
  for (int i = 0; i < 10; ++i) {
    fill(i + 1, 1, Colour{51, 204, 51});
    fill(w - 2 - i, h - 2, Colour{64, 102, 255});
  }
  fill(w / 2, h / 2, Colour{242, 217, 51});
  fill(1, h - 2, Colour{77, 217, 230});
  fill(w - 2, 1, Colour{77, 217, 230});
  return WritePng(pngPath, w * kCell, h * kCell, rgba);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s ROOT\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::filesystem::create_directories(root / "docs" / "battlefields");
  std::ifstream list(root / "Data" / "maps.dat");
  bool ok = true;
  for (std::string line; std::getline(list, line);) {
    const std::string file = line.substr(0, line.find(' '));
    const std::string png = file.substr(0, file.rfind('.')) + ".png";
    ok = Draw((root / "Data" / file).string(), (root / "docs" / "battlefields" / png).string()) && ok;
  }
  return ok ? 0 : 1;
}
