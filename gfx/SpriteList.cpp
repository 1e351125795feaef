#include "gfx/SpriteList.h"

#include <string>

#include "engine/CLineReader.h"

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
