#pragma once

struct SDL_Surface;

// A software surface of 32-bit pixels stored as bytes R, G, B, A in memory,
// the layout the atlas texture is uploaded in; null if SDL has no memory.
SDL_Surface* CreateRgbaSurface(int width, int height);
