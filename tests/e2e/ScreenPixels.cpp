#include "e2e/ScreenPixels.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace screen {

bool Same(const Pixel& a, const Pixel& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

bool Near(const Pixel& a, const Pixel& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string ToString(const Box& box) {
  return "x " + std::to_string(box.left) + "-" + std::to_string(box.right) + ", y " + std::to_string(box.bottom) +
         "-" + std::to_string(box.top);
}

Patch Cut(const Screenshot& shot, const Box& box) {
  Patch patch;
  patch.width = box.right - box.left + 1;
  patch.height = box.top - box.bottom + 1;
  for (int y = box.bottom; y <= box.top; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      const Pixel p = shot.AtGame(x, y);
      patch.rgb.insert(patch.rgb.end(), {p.r, p.g, p.b});
    }
  }
  return patch;
}

Patch Cell(const Screenshot& shot, int x, int y, const MapPlacement& place) {
  const int cx = place.CellX(x);
  const int cy = place.CellY(y);
  return Cut(shot, Box{cx - 16, cx + 15, cy - 16, cy + 15});
}

int CellWindowX(int x, const MapPlacement& place) { return place.CellX(x); }
int CellWindowY(int y, const MapPlacement& place) { return ScreenLayout::mc_windowHeight - place.CellY(y); }

bool InkBox(const Screenshot& shot, const Box& area, Box& ink, Pixel background) {
  return FindInkBox(area, [&](int x, int y) { return !Same(shot.AtGame(x, y), background); }, ink);
}

Patch LastWord(const Screenshot& shot, const Box& area) {
  // A blank is 6 pixels wide in the game's font; letters of one word stand
  // closer (the "1" and "0" of "10" leave 4 clear columns).
  constexpr int kWordGap = 6;
  auto inked = [&](int x) {
    for (int y = area.bottom; y <= area.top; ++y) {
      if (!Same(shot.AtGame(x, y), kBackground)) return true;
    }
    return false;
  };
  int right = area.right;
  while (right >= area.left && !inked(right)) --right;
  int left = right;
  int clear = 0;
  for (int x = right; x >= area.left && clear < kWordGap; --x) {
    if (inked(x)) {
      left = x;
      clear = 0;
    } else {
      ++clear;
    }
  }
  if (right < area.left) return Patch{};
  return Cut(shot, Box{left, right, area.bottom, area.top});
}

Pixel Picture::At(int x, int y) const {
  const std::size_t i = static_cast<std::size_t>(y * width + x) * 4;
  return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

int Picture::AlphaAt(int x, int y) const { return rgba[static_cast<std::size_t>(y * width + x) * 4 + 3]; }

Picture LoadPicture(const std::string& name) {
  Picture picture;
  SDL_Surface* loaded = IMG_Load((SourceDir() + "/Data/" + name).c_str());
  if (!loaded) return picture;
  SDL_Surface* target =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
  SDL_Surface* rgba = SDL_ConvertSurface(loaded, target->format, SDL_SWSURFACE);
  if (rgba) {
    picture.width = rgba->w;
    picture.height = rgba->h;
    SDL_LockSurface(rgba);
    for (int y = 0; y < rgba->h; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(rgba->pixels) + y * rgba->pitch;
      picture.rgba.insert(picture.rgba.end(), row, row + rgba->w * 4);
    }
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
  }
  SDL_FreeSurface(target);
  SDL_FreeSurface(loaded);
  return picture;
}

Screenshot ShootUntil(const GameSession& game, const std::function<bool(const Screenshot&)>& done, int timeoutMs) {
  const auto start = std::chrono::steady_clock::now();
  Screenshot shot = game.Shoot();
  while (!done(shot) && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(timeoutMs)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    shot = game.Shoot();
  }
  return shot;
}

std::string DocumentationShot(const std::string& name) {
  const char* dir = std::getenv("KORVANE_SCREENSHOT_DIR");
  return dir && *dir ? std::string(dir) + "/" + name : std::string();
}

}  // namespace screen
