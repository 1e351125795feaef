// Writes the window icon as a PNG for the desktop's menus: the palettised
// KVIcon.bmp, its colour-key pixels (the top-left pixel's colour) made
// transparent, each pixel enlarged to a square so that the picture fills
// SIZE x SIZE.
//
//   kv_iconpng KVIcon.bmp OUT.png SIZE
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assetkit/PngEncoder.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s KVIcon.bmp OUT.png SIZE\n", argv[0]);
    return 2;
  }
  SDL_Surface* icon = SDL_LoadBMP(argv[1]);
  if (!icon || !icon->format->palette || icon->format->BytesPerPixel != 1 || icon->w != icon->h) {
    std::fprintf(stderr, "%s: %s is not a square palettised bitmap\n", argv[0], argv[1]);
    if (icon) SDL_FreeSurface(icon);
    return 1;
  }
  const int size = std::atoi(argv[3]);
  if (size < icon->w || size % icon->w != 0) {
    std::fprintf(stderr, "%s: SIZE must be a multiple of %d\n", argv[0], icon->w);
    SDL_FreeSurface(icon);
    return 1;
  }
  const int scale = size / icon->w;
  const auto* pixels = static_cast<const Uint8*>(icon->pixels);
  const Uint8 key = pixels[0];
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Uint8 index = pixels[(y / scale) * icon->pitch + x / scale];
      if (index == key) continue;  // transparent black, so that no key colour bleeds in when scaled
      const SDL_Color& colour = icon->format->palette->colors[index];
      std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      out[0] = colour.r;
      out[1] = colour.g;
      out[2] = colour.b;
      out[3] = 255;
    }
  }
  SDL_FreeSurface(icon);
  return WritePng(argv[2], size, size, rgba) ? 0 : 1;
}
