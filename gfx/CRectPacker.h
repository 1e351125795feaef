#pragma once

#include <cstdint>
#include <vector>

// A rectangle in texel units, y growing downward (image rows). Records that
// the packer places begin with one: they contain it as their base, so the
// packer writes their x and y without knowing the rest of the record.
struct PackRect {
  std::int32_t x = 0;       // left column
  std::int32_t y = 0;       // top row
  std::int32_t width = 0;   // columns
  std::int32_t height = 0;  // rows
};

// Greedy free-rectangle packer: places the largest rectangles first, each into
// the free rectangle that keeps the square power-of-two texture holding them
// smallest, and cuts the used free rectangle into up to three new ones with a
// gap left free to the right of and below the placed rectangle.
class CRectPacker {
 public:
  CRectPacker() = default;
  ~CRectPacker();
  CRectPacker(const CRectPacker&) = delete;
  CRectPacker& operator=(const CRectPacker&) = delete;

  // Adds a caller's rectangle to place; the caller keeps it alive until Pack
  // returns and owns it afterwards.
  void AddRect(PackRect* pRect);
  // Adds a copy of an area that is free to fill, usually the texture bounds.
  void AddFreeRect(const PackRect& rect);
  // Places every added rectangle, leaving `gap` texels free to the right of
  // and below each; true if all found room. A rectangle without room keeps
  // its x and y.
  bool Pack(int gap);
  // Side of the smallest power-of-two square the last Pack reached; 0 before.
  int GetSize() const { return m_size; }
  // Forgets every rectangle and free area; the caller's records stay as they are.
  void Reset();

  // The areas still free, oldest first: after Pack, what the splits left.
  const std::vector<PackRect>& GetFreeRects() const { return m_freeRects; }

 private:
  // Puts `rect` at the corner of `freeRect` and appends the strips left to
  // its right and below it, and the corner block, to the free list.
  void SplitFreeRect(const PackRect& freeRect, PackRect& rect, int gap);

  std::vector<PackRect*> m_rects;     // what Pack places, in the order added
  std::vector<PackRect> m_freeRects;  // areas still free, oldest first
  std::int32_t m_size = 0;            // power-of-two side reached by the last Pack
};
