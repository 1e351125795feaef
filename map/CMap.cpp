#include "map/CMap.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "core/Assert.h"
#include "core/CLineReader.h"
#include "map/BuiltInMap.h"
#include "map/CMemoryLineReader.h"
#include "map/CSightTable.h"

namespace {

constexpr std::uint8_t kOpen = 0;
constexpr std::uint8_t kWall = 1;

std::size_t Words(std::size_t cells) { return (cells + 63) / 64; }

}  // namespace

// What never changes once a battlefield is loaded, shared by every copy of
// the map: the tiles, the areas of open ground and the goal marks, and the
// sight table, made the first time a tank looks.
struct CMap::Grid {
  std::vector<std::uint8_t> tiles;    // tile code of every cell, row-major
  std::vector<std::uint32_t> region;  // area of every open cell (1 up), 0 on walls
  MapCell goalMark[mc_goalMarks] = {};   // the cell marked for each goal row
  bool hasGoalMark[mc_goalMarks] = {};   // whether the file marked that row
  mutable std::once_flag sightMade;      // the sight table is made once, whichever thread asks
  mutable std::unique_ptr<CSightTable> sight;  // made on first use; null for large battlefields

  // Numbers the areas of open ground a tank can drive within, four
  // neighbours a cell (a tank drives along its heading and turns in place).
  void LabelRegions(std::uint32_t width) {
    region.assign(tiles.size(), 0u);
    std::vector<std::size_t> pending;
    std::uint32_t regions = 0;
    for (std::size_t start = 0; start < tiles.size(); ++start) {
      if (tiles[start] == kWall || region[start] != 0) continue;
      region[start] = ++regions;
      pending.push_back(start);
      while (!pending.empty()) {
        const std::size_t cell = pending.back();
        pending.pop_back();
        const std::size_t x = cell % width;
        const std::size_t neighbours[] = {x > 0 ? cell - 1 : cell, x + 1 < width ? cell + 1 : cell,
                                          cell >= width ? cell - width : cell,
                                          cell + width < tiles.size() ? cell + width : cell};
        for (const std::size_t next : neighbours) {
          if (tiles[next] == kWall || region[next] != 0) continue;
          region[next] = regions;
          pending.push_back(next);
        }
      }
    }
  }
};

CMap::CMap() = default;
CMap::~CMap() = default;
CMap::CMap(const CMap& other) = default;

CMap& CMap::operator=(const CMap& other) {
  // Vector assignment keeps the layers' room: a copy over a map of the same
  // size allocates nothing.
  m_grid = other.m_grid;
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) m_visible[team] = other.m_visible[team];
  m_width = other.m_width;
  m_height = other.m_height;
  return *this;
}

void CMap::Init(std::uint32_t width, std::uint32_t height) {
  KV_ASSERT(!m_grid);
  m_width = width;
  m_height = height;
  auto grid = std::make_shared<Grid>();
  grid->tiles.assign(CellCount(), kOpen);
  grid->LabelRegions(m_width);
  m_grid = std::move(grid);
  ResetSight();
}

void CMap::ResetSight() {
  for (auto& layer : m_visible) layer.assign(m_grid ? Words(CellCount()) : 0, 0);
}

void CMap::Free() {
  m_grid.reset();
  for (auto& layer : m_visible) layer.clear();
}

template <typename Reader>
bool CMap::ReadGrid(Reader& reader) {
  // First pass: the number of rows and the longest row. A grid too large to be
  // a battlefield is refused before anything is allocated for it.
  std::string line;
  std::uint64_t rows = 0;
  std::uint64_t width = 0;
  while (reader.Next(line)) {
    ++rows;
    width = std::max<std::uint64_t>(width, line.size());
    if (std::max<std::uint64_t>(width, 1) * rows > mc_maxCells) {
      m_width = m_height = 0;
      return false;
    }
  }
  m_width = static_cast<std::uint32_t>(width);
  m_height = static_cast<std::uint32_t>(rows);
  auto grid = std::make_shared<Grid>();
  grid->tiles.assign(CellCount(), kOpen);

  // Second pass: the first line is the top row. The bounds are checked again
  // because a file can change between the passes.
  reader.Rewind();
  std::uint32_t row = m_height;
  while (row > 0 && reader.Next(line)) {
    --row;
    const std::size_t columns = std::min<std::size_t>(line.size(), m_width);
    std::uint8_t* tiles = grid->tiles.data() + static_cast<std::size_t>(row) * m_width;
    for (std::size_t x = 0; x < columns; ++x) {
      const char c = line[x];
      if (c == '#') tiles[x] = kWall;
      const unsigned mark = static_cast<unsigned>(c - '1');
      if (c >= '1' && mark < mc_goalMarks && !grid->hasGoalMark[mark]) {
        grid->hasGoalMark[mark] = true;
        grid->goalMark[mark] = MapCell{static_cast<std::int32_t>(x), static_cast<std::int32_t>(row)};
      }
    }
  }
  grid->LabelRegions(m_width);
  m_grid = std::move(grid);
  ResetSight();
  return m_width > 0 && m_height > 0;
}

bool CMap::Load(const char* path) {
  Free();
  m_width = m_height = 0;
  if (!path) return false;
  CLineReader reader(mc_lineBuffer);
  if (!reader.Open(path)) return false;
  return ReadGrid(reader);
}

bool CMap::LoadFromMemory(const unsigned char* bytes, std::size_t size) {
  Free();
  m_width = m_height = 0;
  CMemoryLineReader reader(bytes, size, mc_lineBuffer);
  return ReadGrid(reader);
}

bool CMap::LoadBuiltIn() { return LoadFromMemory(kv::kBuiltInMap, kv::kBuiltInMapSize); }

void CMap::Clear() {
  if (m_grid) {
    auto grid = std::make_shared<Grid>();
    grid->tiles.assign(CellCount(), kOpen);
    grid->LabelRegions(m_width);
    m_grid = std::move(grid);
  }
  ClearVisible();
}

void CMap::ClearVisible() {
  for (auto& layer : m_visible) std::fill(layer.begin(), layer.end(), 0);
}

std::size_t CMap::CellIndex(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(px < m_width);
  KV_ASSERT(py < m_height);
  return px + static_cast<std::size_t>(py) * m_width;
}

std::uint32_t CMap::GetTile(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(m_grid);
  return m_grid->tiles[CellIndex(px, py)];
}

bool CMap::IsWall(std::uint32_t px, std::uint32_t py) const { return GetTile(px, py) == kWall; }

bool CMap::IsWallOrOutside(int x, int y) const {
  if (!m_grid || x < 0 || y < 0) return true;
  const auto px = static_cast<std::uint32_t>(x);
  const auto py = static_cast<std::uint32_t>(y);
  if (px >= m_width || py >= m_height) return true;
  return m_grid->tiles[px + static_cast<std::size_t>(py) * m_width] == kWall;
}

std::uint32_t CMap::GetCost(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(m_grid);
  static_cast<void>(CellIndex(px, py));  // checks the cell
  return mc_cellCost;
}

bool CMap::AreConnected(int x0, int y0, int x1, int y1) const {
  const std::uint32_t region = RegionOf(x0, y0);
  return region != 0 && region == RegionOf(x1, y1);
}

std::uint32_t CMap::RegionOf(int x, int y) const {
  if (IsWallOrOutside(x, y)) return 0;
  return m_grid->region[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_width];
}

MapCell CMap::GetCentre() const {
  return MapCell{static_cast<std::int32_t>(m_width / 2), static_cast<std::int32_t>(m_height / 2)};
}

bool CMap::IsCentre(std::int32_t x, std::int32_t y) const { return GetCentre() == MapCell{x, y}; }

MapCell CMap::GetRepairCell(std::uint32_t index) const {
  KV_ASSERT(index < mc_repairCells);
  const auto w = static_cast<std::int32_t>(m_width);
  const auto h = static_cast<std::int32_t>(m_height);
  return index == 0 ? MapCell{1, h - 2} : MapCell{w - 2, 1};
}

bool CMap::IsRepairCell(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= static_cast<std::int64_t>(m_width) || y >= static_cast<std::int64_t>(m_height)) {
    return false;
  }
  return GetRepairCell(0) == MapCell{x, y} || GetRepairCell(1) == MapCell{x, y};
}

MapCell CMap::GetStartCell(std::uint32_t team, std::uint32_t slot) const {
  const auto i = static_cast<std::int32_t>(slot);
  if (team == 0) return MapCell{i + 1, 1};
  return MapCell{static_cast<std::int32_t>(m_width) - i - 2, static_cast<std::int32_t>(m_height) - 2};
}

std::uint8_t CMap::GetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_grid);
  const std::size_t cell = CellIndex(px, py);
  return static_cast<std::uint8_t>(m_visible[team][cell / 64] >> (cell % 64) & 1);
}

void CMap::SetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint8_t flag) {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_grid);
  const std::size_t cell = CellIndex(px, py);
  const std::uint64_t bit = std::uint64_t{1} << (cell % 64);
  if (flag != 0) {
    m_visible[team][cell / 64] |= bit;
  } else {
    m_visible[team][cell / 64] &= ~bit;
  }
}

bool CMap::Sees(std::uint32_t team, std::int32_t x, std::int32_t y) const {
  if (!m_grid || x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= m_width ||
      static_cast<std::uint32_t>(y) >= m_height) {
    return false;
  }
  return GetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), team) != 0;
}

void CMap::RevealSight(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t heading) {
  KV_ASSERT(team < mc_numTeams);
  if (!m_grid) return;
  std::vector<std::uint64_t>& layer = m_visible[team];
  const bool inside =
      x >= 0 && y >= 0 && static_cast<std::uint32_t>(x) < m_width && static_cast<std::uint32_t>(y) < m_height;
  const Grid& grid = *m_grid;
  if (inside && CellCount() <= CSightTable::mc_maxCells) {
    std::call_once(grid.sightMade, [&] { grid.sight = std::make_unique<CSightTable>(*this); });
    const std::uint64_t* seen = grid.sight->Seen(x, y, heading);
    for (std::size_t i = 0; i < layer.size(); ++i) layer[i] |= seen[i];
    return;
  }
  CSightTable::Cast(*this, x, y, heading, layer.data());
}

bool CMap::IsOpenCell(std::int64_t x, std::int64_t y) const {
  return x >= 0 && y >= 0 && x < m_width && y < m_height &&
         m_grid->tiles[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_width] == kOpen;
}

bool CMap::HasClosedBorder() const {
  for (std::uint32_t x = 0; x < m_width; ++x) {
    if (!IsWall(x, 0) || !IsWall(x, m_height - 1)) return false;
  }
  for (std::uint32_t y = 0; y < m_height; ++y) {
    if (!IsWall(0, y) || !IsWall(m_width - 1, y)) return false;
  }
  return true;
}

bool CMap::GetGoalMark(std::uint32_t row, MapCell& cell) const {
  if (!m_grid || row >= mc_goalMarks || !m_grid->hasGoalMark[row]) return false;
  cell = m_grid->goalMark[row];
  return true;
}

const char* CMap::HoldGameProblem(std::uint32_t greenTanks, std::uint32_t blueTanks) const {
  if (!m_grid || m_width == 0 || m_height == 0) return "holds no cells";
  if (!HasClosedBorder()) return "its border is not closed by walls";
  const MapCell centre = GetCentre();
  if (!IsOpenCell(centre.x, centre.y)) return "its centre cell is not open";
  for (std::uint32_t i = 0; i < mc_repairCells; ++i) {
    const MapCell repair = GetRepairCell(i);
    if (!IsOpenCell(repair.x, repair.y)) return "a repair cell is not open";
  }
  // Green stands on row 1 from column 1 rightwards, Blue on row h - 2 from
  // column w - 2 leftwards; the two rows are one and the same when h is 3.
  for (std::uint32_t i = 0; i < greenTanks; ++i) {
    const MapCell start = GetStartCell(0, i);
    if (!IsOpenCell(start.x, start.y)) return "Green's start row has no room for its tanks";
  }
  for (std::uint32_t i = 0; i < blueTanks; ++i) {
    const MapCell start = GetStartCell(1, i);
    if (!IsOpenCell(start.x, start.y)) return "Blue's start row has no room for its tanks";
    if (start.y == 1 && start.x >= 1 && start.x <= static_cast<std::int64_t>(greenTanks)) {
      return "the teams would start on the same cells";
    }
  }
  return nullptr;
}
