#include "gfx/SpriteList.h"

#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "core/CLineReader.h"
#include "core/CQuietStderr.h"
#include "gfx/RgbaSurface.h"

std::vector<SpriteImage> ReadSpriteList(const char* listPath) {
  std::vector<SpriteImage> images;
  CLineReader reader(kSpriteListLineBuffer);
  if (!reader.Open(listPath)) return images;
  std::string line;
  while (reader.Next(line)) {
    SpriteImage image;
    image.path = line;
    images.push_back(image);
  }
  return images;
}

SDL_Surface* CreatePlaceholderImage() {
  SDL_Surface* image = CreateRgbaSurface(kPlaceholderSide, kPlaceholderSide);
  if (!image) return nullptr;
  // Blits copy its pixels, alpha included, as they stand.
  SDL_SetAlpha(image, 0, 0);
  SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 0, 0, 0, 255));
  const Uint32 magenta = SDL_MapRGBA(image->format, 255, 0, 255, 255);
  for (int y = 0; y < kPlaceholderSide; y += kPlaceholderSquare) {
    for (int x = (y / kPlaceholderSquare) % 2 * kPlaceholderSquare; x < kPlaceholderSide; x += 2 * kPlaceholderSquare) {
      SDL_Rect square{static_cast<Sint16>(x), static_cast<Sint16>(y), kPlaceholderSquare, kPlaceholderSquare};
      SDL_FillRect(image, &square, magenta);
    }
  }
  return image;
}

void LoadSpriteImages(std::vector<SpriteImage>& images, SDL_Surface* placeholder) {
  for (SpriteImage& image : images) {
    if (image.path.empty()) continue;
    {
      const CQuietStderr quiet;  // libpng reports a broken file on standard error
      image.surface = IMG_Load(image.path.c_str());
    }
    if (image.surface) {
      // Blits then copy the pixels, alpha included, as they stand.
      SDL_SetAlpha(image.surface, 0, 0);
    } else {
      image.surface = placeholder;
    }
    if (!image.surface) continue;
    image.width = image.surface->w;
    image.height = image.surface->h;
  }
}
