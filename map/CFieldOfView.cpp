#include "map/CFieldOfView.h"

#include <cmath>
#include <new>

#include "core/Assert.h"

// What the octant scans of one cast share.
struct CFieldOfView::ScanRecord {
  const CMap* map;        // the map handed to both functions
  void* context;          // passed through to the reveal action
  int x;                  // the viewer's cell
  int y;
  std::uint32_t radius;   // how far the viewer sees, in cells
};

namespace {

// Where an octant's cell (d, s) lies relative to the viewer, and which of the
// cells it shares with its neighbours it owns, so that every cell around the
// viewer belongs to exactly one octant.
struct Octant {
  int xPerD;              // x offset per step of main distance d
  int xPerS;              // x offset per step of side distance s
  int yPerD;              // y offset per step of d
  int yPerS;              // y offset per step of s
  bool revealsAxis;       // reveals its cells with s = 0
  bool includesDiagonal;  // scans its cells with s = d
};

// Tolerance of every slope comparison: the float epsilon.
constexpr float kEpsilon = 1.0f / 8388608.0f;

enum OctantId { O1, O2, O3, O4, O5, O6, O7, O8 };

constexpr Octant kOctants[8] = {
    {1, 0, 0, 1, true, true},     // O1: (x + d, y + s)
    {0, 1, 1, 0, true, false},    // O2: (x + s, y + d)
    {1, 0, 0, -1, false, true},   // O3: (x + d, y - s)
    {0, -1, 1, 0, false, false},  // O4: (x - s, y + d)
    {-1, 0, 0, 1, true, true},    // O5: (x - d, y + s)
    {0, 1, -1, 0, true, false},   // O6: (x + s, y - d)
    {-1, 0, 0, -1, false, true},  // O7: (x - d, y - s)
    {0, -1, -1, 0, false, false}, // O8: (x - s, y - d)
};

// The four pairs of octants of a beam for each facing code 0, 2, 4, 6: the two
// on either side of the centre line, the two next to them, then the two pairs
// behind. The first octant of a pair is scanned completely before the second.
constexpr int kBeamPairs[4][4][2] = {
    {{O1, O3}, {O2, O6}, {O4, O8}, {O5, O7}},  // +x
    {{O6, O8}, {O7, O3}, {O5, O1}, {O4, O2}},  // -y
    {{O5, O7}, {O4, O8}, {O2, O6}, {O1, O3}},  // -x
    {{O4, O2}, {O5, O1}, {O7, O3}, {O8, O6}},  // +y
};

// v clamped to [lo, hi] with tolerance.
float Between(float v, float lo, float hi) {
  if (v - lo < kEpsilon) return lo;
  if (v - hi > kEpsilon) return hi;
  return v;
}

float Slope(float side, float main) { return std::fabs(main) < kEpsilon ? 0.0f : side / main; }

// The cell of a slope at main distance d: the one whose centre line it crosses.
std::int64_t CellAt(std::uint32_t d, float slope) {
  return static_cast<std::int64_t>(0.5f + static_cast<float>(d) * slope);
}

}  // namespace

CFieldOfView::CFieldOfView() = default;
CFieldOfView::~CFieldOfView() = default;

void CFieldOfView::SetOpaqueTest(BlocksSightFn blocksSight) { m_blocksSight = blocksSight; }
void CFieldOfView::SetRevealAction(RevealFn reveal) { m_reveal = reveal; }

std::uint32_t CFieldOfView::ColumnExtent(std::uint32_t radius, std::uint32_t column) {
  if (radius == 0) return 0;
  if (m_extentCount < radius) {
    std::unique_ptr<std::uint32_t[]>* grown = new (std::nothrow) std::unique_ptr<std::uint32_t[]>[radius];
    if (!grown) return 0;  // no memory: the cache stays as it is
    for (std::uint32_t i = 0; i < m_extentCount; ++i) grown[i] = std::move(m_extents[i]);
    m_extents.reset(grown);
    m_extentCount = radius;
  }
  std::unique_ptr<std::uint32_t[]>& table = m_extents[radius - 1];
  if (!table) {
    const std::uint64_t r = radius;
    table.reset(new (std::nothrow) std::uint32_t[r + 2]);
    if (!table) return 0;
    for (std::uint64_t k = 0; k <= r; ++k) {
      table[k] = static_cast<std::uint32_t>(std::sqrt(static_cast<double>(r * r - k * k)));
    }
    table[r + 1] = 0;
  }
  return column <= static_cast<std::uint64_t>(radius) + 1 ? table[column] : 0;
}

void CFieldOfView::ScanOctant(const ScanRecord& scan, int octantId, std::uint32_t d, float start, float end) {
  const Octant& octant = kOctants[octantId];
  if (d == 0) d = 1;
  for (; d <= scan.radius; ++d) {
    const std::int64_t s0 = CellAt(d, start);
    std::int64_t s1 = CellAt(d, end);
    // The diagonal cell belongs to the neighbouring octant, which reveals it;
    // this one still tests it, or a wall on the diagonal would cast a shadow
    // on one side of the diagonal only.
    bool diagonalBlocksOnly = false;
    if (!octant.includesDiagonal && s1 == d) {
      s1 = d - 1;
      diagonalBlocksOnly = true;
    }
    const std::uint32_t h = ColumnExtent(scan.radius, d);
    if (s1 > h) {
      if (h == 0) return;  // the circle ends here
      s1 = h;
      diagonalBlocksOnly = false;
    }
    if (s0 > s1) return;

    const std::int64_t last = diagonalBlocksOnly ? s1 + 1 : s1;
    enum { kNone, kClear, kBlocked } previous = kNone;
    for (std::int64_t s = s0; s <= last; ++s) {
      const std::int64_t main = d;
      const int x = static_cast<int>(scan.x + octant.xPerD * main + octant.xPerS * s);
      const int y = static_cast<int>(scan.y + octant.yPerD * main + octant.yPerS * s);
      const bool blocked = m_blocksSight(*scan.map, x, y);
      if (s <= s1 && (s != 0 || octant.revealsAxis)) {
        m_reveal(*scan.map, x, y, static_cast<int>(d), static_cast<int>(s), scan.context);
      }
      const float side = static_cast<float>(s);
      const float column = static_cast<float>(d);
      if (blocked) {
        // The part of the next column seen past the cells before this blocker.
        if (previous == kClear) ScanOctant(scan, octantId, d + 1, start, Slope(side - 0.5f, column + 0.5f));
        previous = kBlocked;
      } else {
        // The visible range now begins past the blocker's edge.
        if (previous == kBlocked) start = Slope(side - 0.5f, column - 0.5f);
        previous = kClear;
      }
    }
    // A column whose last cell blocks ends the scan; the rest went on in the
    // scans started at each blocked run.
    if (previous != kClear) return;
  }
}

void CFieldOfView::ScanPair(const ScanRecord& scan, const int (&pair)[2], float start, float end) {
  ScanOctant(scan, pair[0], 1, start, end);
  ScanOctant(scan, pair[1], 1, start, end);
}

void CFieldOfView::Cast(const CMap& map, void* context, int x, int y, std::uint32_t radius, int direction,
                        float angle) {
  KV_ASSERT(m_blocksSight);
  KV_ASSERT(m_reveal);
  KV_ASSERT(direction == mc_facePlusX || direction == mc_faceMinusY || direction == mc_faceMinusX ||
            direction == mc_facePlusY);
  if (!(angle > 0.0f)) return;  // nothing, and no beam from a NaN either
  const ScanRecord scan{&map, context, x, y, radius};
  if (angle >= 360.0f) {
    for (int octant = O1; octant <= O8; ++octant) ScanOctant(scan, octant, 1, 0.0f, 1.0f);
    return;
  }
  // A slope range is measured as a tangent: a counts the octants the beam
  // covers on each side of its centre line.
  const auto& pairs = kBeamPairs[direction / 2];
  const float a = angle / 90.0f;
  ScanPair(scan, pairs[0], 0.0f, Between(a, 0.0f, 1.0f));
  if (a - 1.0f > kEpsilon) ScanPair(scan, pairs[1], Between(2.0f - a, 0.0f, 1.0f), 1.0f);
  if (a - 2.0f > kEpsilon) ScanPair(scan, pairs[2], 0.0f, Between(a - 2.0f, 0.0f, 1.0f));
  if (a - 3.0f > kEpsilon) ScanPair(scan, pairs[3], Between(4.0f - a, 0.0f, 1.0f), 1.0f);
}
