#include "gfx/RgbaSurface.h"

#include <SDL.h>

SDL_Surface* CreateRgbaSurface(int width, int height) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
}
