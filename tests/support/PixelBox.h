#pragma once

#include <algorithm>

// A rectangle of pixels, bounds inclusive, the origin bottom-left.
struct PixelBox {
  int left, right, bottom, top;
  bool operator==(const PixelBox& o) const {
    return left == o.left && right == o.right && bottom == o.bottom && top == o.top;
  }
};

// The smallest box around every pixel of `area` for which isInk(x, y) holds;
// false, and `ink` untouched, when there is none.
template <typename IsInk>
bool FindInkBox(const PixelBox& area, IsInk&& isInk, PixelBox& ink) {
  bool found = false;
  for (int y = area.bottom; y <= area.top; ++y) {
    for (int x = area.left; x <= area.right; ++x) {
      if (!isInk(x, y)) continue;
      if (!found) ink = PixelBox{x, x, y, y};
      found = true;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::min(ink.bottom, y);
      ink.top = std::max(ink.top, y);
    }
  }
  return found;
}
