#include "map/CSightTable.h"

#include "core/Assert.h"
#include "map/CFieldOfView.h"
#include "map/CMap.h"

namespace {

// Facing codes of the heading indices 0 to 3: +x, +y, -x, -y.
constexpr int kFacing[4] = {CFieldOfView::mc_facePlusX, CFieldOfView::mc_facePlusY, CFieldOfView::mc_faceMinusX,
                            CFieldOfView::mc_faceMinusY};

bool BlocksSight(const CMap& map, int x, int y) { return map.IsWallOrOutside(x, y); }

// The context is the answer's bits.
void RevealCell(const CMap& map, int x, int y, int /*d*/, int /*s*/, void* context) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
      static_cast<std::uint32_t>(y) >= map.GetHeight()) {
    return;
  }
  const std::size_t cell = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * map.GetWidth();
  static_cast<std::uint64_t*>(context)[cell / 64] |= std::uint64_t{1} << (cell % 64);
}

// One caster for every map and thread: its only table, of radius 25, is made
// here, so a cast never changes it.
CFieldOfView& Caster() {
  static CFieldOfView* const caster = [] {
    auto* fov = new CFieldOfView;
    fov->SetOpaqueTest(BlocksSight);
    fov->SetRevealAction(RevealCell);
    fov->ColumnExtent(CSightTable::mc_radius, 0);
    return fov;
  }();
  return *caster;
}

}  // namespace

CSightTable::CSightTable(const CMap& map)
    : m_width(map.GetWidth()), m_words((static_cast<std::size_t>(map.GetWidth()) * map.GetHeight() + 63) / 64) {
  const std::size_t cells = static_cast<std::size_t>(map.GetWidth()) * map.GetHeight();
  KV_ASSERT(map.HasGrid() && cells <= mc_maxCells);
  m_seen.assign(cells * 4 * m_words, 0);
  for (std::size_t cell = 0; cell < cells; ++cell) {
    for (std::int32_t heading = 0; heading < 4; ++heading) {
      Cast(map, static_cast<std::int32_t>(cell % m_width), static_cast<std::int32_t>(cell / m_width), heading,
           &m_seen[(cell * 4 + static_cast<std::size_t>(heading)) * m_words]);
    }
  }
}

const std::uint64_t* CSightTable::Seen(std::int32_t x, std::int32_t y, std::int32_t heading) const {
  const std::size_t cell = static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_width;
  const std::size_t entry = cell * 4 + static_cast<std::size_t>(heading);
  KV_ASSERT(heading >= 0 && heading < 4 && (entry + 1) * m_words <= m_seen.size());
  return &m_seen[entry * m_words];
}

void CSightTable::Cast(const CMap& map, std::int32_t x, std::int32_t y, std::int32_t heading, std::uint64_t* bits) {
  KV_ASSERT(heading >= 0 && heading < 4);
  RevealCell(map, x, y, 0, 0, bits);
  Caster().Cast(map, bits, x, y, mc_radius, kFacing[heading], mc_angle);
}
