#include "gfx/SpriteTable.h"

#include <SDL.h>

#include "core/DataFiles.h"
#include "gfx/OpenGL.h"
#include "gfx/RgbaSurface.h"
#include "gfx/SpriteList.h"
#include "gfx/SpritePacking.h"

namespace {

// Copies a turned image: the image's pixel (col, row) lands at column
// width - 1 - row, row col of its atlas place, a quarter turn clockwise.
void CopyTurned(SDL_Surface* image, SDL_Surface* atlas, int x, int y) {
  SDL_Surface* upright = CreateRgbaSurface(image->w, image->h);
  if (!upright) return;
  SDL_BlitSurface(image, nullptr, upright, nullptr);
  SDL_LockSurface(upright);
  SDL_LockSurface(atlas);
  for (int row = 0; row < upright->h; ++row) {
    const auto* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(upright->pixels) + row * upright->pitch);
    for (int col = 0; col < upright->w; ++col) {
      const int ax = x + upright->h - 1 - row;
      const int ay = y + col;
      if (ax < 0 || ay < 0 || ax >= atlas->w || ay >= atlas->h) continue;
      auto* dst = reinterpret_cast<Uint32*>(static_cast<Uint8*>(atlas->pixels) + ay * atlas->pitch);
      dst[ax] = src[col];
    }
  }
  SDL_UnlockSurface(atlas);
  SDL_UnlockSurface(upright);
  SDL_FreeSurface(upright);
}

Sprite MakeSprite(const SpriteImage& image, int side, GLuint texture) {
  const float s = static_cast<float>(side);
  Sprite sprite;
  sprite.u0 = image.x / s;
  sprite.u1 = (image.x + image.width) / s;
  sprite.v0 = image.y / s;
  sprite.v1 = (image.y + image.height) / s;
  // A turned image keeps its own size on screen: its record holds the turned one.
  const float w = static_cast<float>(image.turned ? image.height : image.width);
  const float h = static_cast<float>(image.turned ? image.width : image.height);
  sprite.halfHeight = h * 0.5f;
  sprite.halfWidth = w * 0.5f;
  sprite.texture = texture;
  sprite.turned = image.turned;
  return sprite;
}

}  // namespace

SpriteTable& GetSprites() {
  static SpriteTable* table = new SpriteTable;  // lives as long as the process
  return *table;
}

void LoadSprites(SpriteTable& table) { LoadSprites(table, kv::kSpriteListFile); }

void LoadSprites(SpriteTable& table, const char* listPath) {
  std::vector<SpriteImage> images = ReadSpriteList(listPath);
  SDL_Surface* const placeholder = CreatePlaceholderImage();
  LoadSpriteImages(images, placeholder);
  std::vector<FreeRect> freeRects{{0, 0, kMaxAtlasSide, kMaxAtlasSide}};
  const int side = PackSprites(images, freeRects);

  SDL_Surface* atlas = CreateRgbaSurface(side, side);
  if (atlas) SDL_FillRect(atlas, nullptr, 0);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  for (SpriteImage& image : images) {
    if (!image.surface) continue;
    if (atlas) {
      if (image.turned) {
        CopyTurned(image.surface, atlas, image.x, image.y);
      } else {
        SDL_Rect place{static_cast<Sint16>(image.x), static_cast<Sint16>(image.y), 0, 0};
        SDL_BlitSurface(image.surface, nullptr, atlas, &place);
      }
    }
    if (image.surface != placeholder) SDL_FreeSurface(image.surface);
    image.surface = nullptr;
    table.push_back(MakeSprite(image, side, texture));
  }
  SDL_FreeSurface(placeholder);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (atlas) {
    SDL_LockSurface(atlas);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, atlas->pixels);
    SDL_UnlockSurface(atlas);
    SDL_FreeSurface(atlas);
  }
}

const Sprite* GetSprite(const SpriteTable& table, int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(id)];
}

void DrawSprite(const Sprite* sprite) {
  if (!sprite) return;
  glBindTexture(GL_TEXTURE_2D, sprite->texture);
  glBegin(GL_QUADS);
  EmitSpriteCorners(*sprite, 0.0f, 0.0f);
  glEnd();
}

void EmitSpriteCorners(const Sprite& sprite, float x, float y) {
  const float left = x - sprite.halfWidth;
  const float right = x + sprite.halfWidth;
  const float bottom = y - sprite.halfHeight;
  const float top = y + sprite.halfHeight;
  if (!sprite.turned) {
    glTexCoord2f(sprite.u0, sprite.v1); glVertex2f(left, bottom);
    glTexCoord2f(sprite.u0, sprite.v0); glVertex2f(left, top);
    glTexCoord2f(sprite.u1, sprite.v0); glVertex2f(right, top);
    glTexCoord2f(sprite.u1, sprite.v1); glVertex2f(right, bottom);
  } else {
    // The atlas holds the image turned clockwise: its bottom-left corner is
    // the atlas rectangle's top-left, and so on round.
    glTexCoord2f(sprite.u0, sprite.v0); glVertex2f(left, bottom);
    glTexCoord2f(sprite.u1, sprite.v0); glVertex2f(left, top);
    glTexCoord2f(sprite.u1, sprite.v1); glVertex2f(right, top);
    glTexCoord2f(sprite.u0, sprite.v1); glVertex2f(right, bottom);
  }
}
