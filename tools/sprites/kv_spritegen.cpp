// Writes the game's sprite images and their list file "Data/sprites.dat".
//
//   kv_spritegen OUTDIR [--sheet SHEET.png]
//
// The list is in id order. The game sorts the list by each image's larger
// side (keeping file order among equals) to give the ids, so every image here
// is 32 x 32 and the file order is the id order.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "assetkit/FileOutput.h"
#include "assetkit/PngEncoder.h"
#include "sprites/SpritePainters.h"

namespace {

constexpr int kSpriteSide = 32;

struct SpriteEntry {
  const char* file;             // file name inside Data/
  void (*paint)(CCanvas&);      // paints the picture
};

void PaintGreenTank(CCanvas& c) { PaintTank(c, GreenTeam()); }
void PaintBlueTank(CCanvas& c) { PaintTank(c, BlueTeam()); }

// In sprite id order: the code draws them by these ids.
const SpriteEntry kSprites[] = {
    {"tank_green.png", PaintGreenTank},          // 0
    {"tank_blue.png", PaintBlueTank},            // 1
    {"tile_ground.png", PaintGroundTile},        // 2
    {"tile_wall.png", PaintWallTile},            // 3
    {"fx_puff.png", PaintShotPuff},              // 4
    {"mark_centre.png", PaintCentreMarker},      // 5
    {"fx_flash.png", PaintFlash},                // 6
    {"mark_repair.png", PaintRepairMarker},      // 7
    {"cmd_destination.png", PaintMoveDestination},  // 8
    {"cmd_forward.png", PaintMoveForwardMark},   // 9
    {"cmd_turn.png", PaintTurnArrow},            // 10
    {"cmd_wait.png", PaintWaitMark},             // 11
    {"cmd_back.png", PaintMoveBackMark},         // 12
    {"cmd_fire.png", PaintFireMark},             // 13
};

// A picture of every sprite enlarged, on a checkerboard and on the ground
// tile, for looking at them.
bool WriteContactSheet(const std::string& path, const std::vector<CCanvas>& sprites) {
  const int scale = 4, cell = kSpriteSide * scale + 8, perRow = 7;
  const int rows = (static_cast<int>(sprites.size()) + perRow - 1) / perRow;
  // Below the sprites, a patch of battlefield at twice the size, as the game
  // composes it: tiles, markers, command marks at 30 % and full opacity, tanks.
  const char* const patch[] = {"##########", "#........#", "#..##....#", "#.......##", "#........#", "##########"};
  const int sceneScale = 2, sceneCell = kSpriteSide * sceneScale;
  CCanvas sheet(perRow * cell, rows * 2 * cell + 6 * sceneCell + 8);
  const int sceneTop = rows * 2 * cell + 4;
  for (int row = 0; row < 6; ++row) {
    for (int col = 0; col < 10; ++col) {
      sheet.Paste(sprites[patch[row][col] == '#' ? 3 : 2], 4 + col * sceneCell, sceneTop + row * sceneCell, sceneScale);
    }
  }
  auto put = [&](int id, int col, int row, float opacity) {
    sheet.Paste(sprites[static_cast<std::size_t>(id)], 4 + col * sceneCell, sceneTop + row * sceneCell, sceneScale, opacity);
  };
  put(7, 1, 4, 1.0f);
  put(5, 6, 2, 1.0f);
  put(9, 2, 1, 0.3f);
  put(8, 3, 1, 0.3f);
  put(10, 3, 1, 0.3f);
  put(13, 4, 1, 0.3f);
  put(0, 1, 1, 1.0f);
  put(12, 5, 4, 1.0f);
  put(8, 6, 4, 1.0f);
  put(11, 7, 4, 1.0f);
  put(1, 7, 4, 1.0f);
  put(6, 5, 3, 1.0f);
  put(4, 4, 3, 0.7f);
  put(1, 8, 2, 1.0f);
  const CCanvas& ground = sprites[2];
  for (std::size_t i = 0; i < sprites.size(); ++i) {
    const int col = static_cast<int>(i) % perRow, row = static_cast<int>(i) / perRow;
    const int x = col * cell + 4, yChecker = row * 2 * cell + 4, yGround = yChecker + cell;
    for (int py = 0; py < kSpriteSide * scale; ++py) {
      for (int px = 0; px < kSpriteSide * scale; ++px) {
        const bool dark = ((px / 8) + (py / 8)) % 2 == 0;
        const float v = dark ? 0.35f : 0.55f;
        sheet.SetPixel(x + px, yChecker + py, Rgba{v, v, v, 1.0f});
      }
    }
    sheet.Paste(sprites[i], x, yChecker, scale);
    sheet.Paste(ground, x, yGround, scale);
    sheet.Paste(sprites[i], x, yGround, scale);
  }
  return WritePng(path, sheet.Width(), sheet.Height(), sheet.ToRgba8());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--sheet") == 0)) {
    std::fprintf(stderr, "usage: %s OUTDIR [--sheet SHEET.png]\n", argv[0]);
    return 2;
  }
  std::filesystem::path dataDir;
  if (!MakeDataFolder(argv[1], dataDir)) return 1;

  std::string list;
  std::vector<CCanvas> painted;
  for (const SpriteEntry& entry : kSprites) {
    CCanvas canvas(kSpriteSide, kSpriteSide);
    entry.paint(canvas);
    if (!WritePng((dataDir / entry.file).string(), kSpriteSide, kSpriteSide, canvas.ToRgba8())) return 1;
    list += std::string("Data/") + entry.file + "\n";
    painted.push_back(canvas);
  }
  if (!WriteFileText((dataDir / "sprites.dat").string(), list)) return 1;
  if (argc == 4 && !WriteContactSheet(argv[3], painted)) return 1;
  return 0;
}
