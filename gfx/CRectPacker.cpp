#include "gfx/CRectPacker.h"

#include <algorithm>
#include <cstdint>

#include "core/Assert.h"
#include "gfx/PowerOfTwo.h"

CRectPacker::~CRectPacker() { Reset(); }

// The packer only remembers the caller's record: Pack writes its x and y,
// nothing frees it. A null record is a programming error, not bad data,
// since every record is the caller's own.

void CRectPacker::AddRect(PackRect* pRect) {
  KV_ASSERT(pRect);
  m_rects.push_back(pRect);
}

void CRectPacker::AddFreeRect(const PackRect& rect) { m_freeRects.push_back(rect); }

void CRectPacker::Reset() {
  m_rects.clear();
  m_freeRects.clear();
  m_size = 0;
}

namespace {

// Side of the smallest power-of-two square whose texels 0 .. right - 1 and
// 0 .. bottom - 1 it holds. Sums are taken in 64 bits so that no sum of two
// 32-bit fields overflows; ends at or before the origin, or beyond 2^30,
// give 0, which never counts as a cost.
std::uint32_t SquareSide(std::int64_t right, std::int64_t bottom) {
  const auto side = [](std::int64_t end) -> std::uint32_t {
    if (end <= 0 || end > (std::int64_t{1} << 30)) return 0;
    return NextPowerOfTwo(static_cast<std::uint32_t>(end));
  };
  return std::max(side(right), side(bottom));
}

std::uint32_t Area(const PackRect* rect) {
  return static_cast<std::uint32_t>(rect->width) * static_cast<std::uint32_t>(rect->height);
}

}  // namespace

bool CRectPacker::Pack(int gap) {
  std::uint32_t limit = 0;
  for (const PackRect& f : m_freeRects)
    limit = std::max(limit, SquareSide(std::int64_t{f.x} + f.width, std::int64_t{f.y} + f.height));
  if (limit == 0) return false;

  m_size = 0;
  bool allPlaced = true;
  std::stable_sort(m_rects.begin(), m_rects.end(),
                   [](const PackRect* a, const PackRect* b) { return Area(a) < Area(b); });

  // Largest first; among equal areas the later added first.
  for (auto it = m_rects.rbegin(); it != m_rects.rend(); ++it) {
    PackRect& rect = **it;
    const std::uint64_t noCost = std::uint64_t{limit} + 1;
    std::uint64_t best = noCost;
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < m_freeRects.size(); ++i) {
      const PackRect& f = m_freeRects[i];
      if (rect.width > f.width || rect.height > f.height) continue;
      const std::uint32_t cost = SquareSide(std::int64_t{f.x} + rect.width, std::int64_t{f.y} + rect.height);
      if (cost == 0 || cost >= best) continue;
      best = cost;
      bestIndex = i;
      // It fits without growing the texture: no later free rectangle does better.
      if (static_cast<std::uint32_t>(m_size) >= cost) break;
    }
    if (best == noCost) {
      allPlaced = false;
      continue;
    }
    m_size = std::max(m_size, static_cast<std::int32_t>(best));
    const PackRect chosen = m_freeRects[bestIndex];
    m_freeRects.erase(m_freeRects.begin() + static_cast<std::ptrdiff_t>(bestIndex));
    SplitFreeRect(chosen, rect, gap);
  }
  return allPlaced;
}

void CRectPacker::SplitFreeRect(const PackRect& freeRect, PackRect& rect, int gap) {
  rect.x = freeRect.x;
  rect.y = freeRect.y;
  const bool roomRight = std::int64_t{rect.width} + gap < freeRect.width;
  const bool roomBelow = std::int64_t{rect.height} + gap < freeRect.height;
  const std::int32_t rightX = freeRect.x + rect.width + gap;
  const std::int32_t belowY = freeRect.y + rect.height + gap;
  if (roomRight) AddFreeRect({rightX, freeRect.y, freeRect.width - rect.width - gap, rect.height});
  if (roomBelow) AddFreeRect({freeRect.x, belowY, rect.width, freeRect.height - rect.height - gap});
  if (roomRight && roomBelow)
    AddFreeRect({rightX, belowY, freeRect.width - rect.width - gap, freeRect.height - rect.height - gap});
}
