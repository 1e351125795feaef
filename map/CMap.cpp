#include "map/CMap.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Assert.h"
#include "engine/CLineReader.h"
#include "map/BuiltInMap.h"
#include "map/CMemoryLineReader.h"

namespace {

constexpr std::uint32_t kOpen = 0;
constexpr std::uint32_t kWall = 1;

}  // namespace

void CMap::Init(std::uint32_t width, std::uint32_t height) {
  KV_ASSERT(!m_tiles);
  m_width = width;
  m_height = height;
  const std::size_t cells = CellCount();
  m_tiles.reset(new std::uint32_t[cells]());
  m_region.reset(new std::uint32_t[cells]());
  LabelRegions();
  for (std::uint32_t cnt = 0; cnt < mc_numTeams; ++cnt) {
    KV_ASSERT(!m_visible[cnt]);
    m_visible[cnt].reset(new std::uint8_t[cells]());
    KV_ASSERT(!m_threat[cnt]);
    m_threat[cnt].reset(new std::uint32_t[cells]());
    KV_ASSERT(!m_vuln[cnt]);
    m_vuln[cnt].reset(new std::uint32_t[cells]());
  }
}

void CMap::Free() {
  m_tiles.reset();
  m_region.reset();
  m_visible.Release();
  m_threat.Release();
  m_vuln.Release();
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
  Init(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(rows));
  Clear();

  // Second pass: the first line is the top row. The bounds are checked again
  // because a file can change between the passes.
  reader.Rewind();
  std::uint32_t row = m_height;
  while (row > 0 && reader.Next(line)) {
    --row;
    const std::size_t columns = std::min<std::size_t>(line.size(), m_width);
    std::uint32_t* tiles = &m_tiles[static_cast<std::size_t>(row) * m_width];
    for (std::size_t x = 0; x < columns; ++x) {
      const char c = line[x];
      if (c == '#') tiles[x] = kWall;
      const unsigned mark = static_cast<unsigned>(c - '1');
      if (c >= '1' && mark < mc_goalMarks && !m_hasGoalMark[mark]) {
        m_hasGoalMark[mark] = true;
        m_goalMark[mark] = MapCell{static_cast<std::int32_t>(x), static_cast<std::int32_t>(row)};
      }
    }
  }
  LabelRegions();
  return m_width > 0 && m_height > 0;
}

bool CMap::Load(const char* path) {
  Free();
  std::fill_n(m_hasGoalMark, mc_goalMarks, false);
  m_width = m_height = 0;
  if (!path) return false;
  CLineReader reader(mc_lineBuffer);
  if (!reader.Open(path)) return false;
  return ReadGrid(reader);
}

bool CMap::LoadFromMemory(const unsigned char* bytes, std::size_t size) {
  Free();
  std::fill_n(m_hasGoalMark, mc_goalMarks, false);
  m_width = m_height = 0;
  CMemoryLineReader reader(bytes, size, mc_lineBuffer);
  return ReadGrid(reader);
}

bool CMap::LoadBuiltIn() { return LoadFromMemory(kv::kBuiltInMap, kv::kBuiltInMapSize); }

void CMap::Clear() {
  if (m_tiles) std::fill_n(m_tiles.get(), CellCount(), kOpen);
  LabelRegions();
  ClearVisible();
  ClearThreat();
  ClearVuln();
}

void CMap::ClearVisible() { m_visible.Fill(CellCount(), 0); }
void CMap::ClearThreat() { m_threat.Fill(CellCount(), 0); }
void CMap::ClearVuln() { m_vuln.Fill(CellCount(), 0); }

std::size_t CMap::CellIndex(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(px < m_width);
  KV_ASSERT(py < m_height);
  return px + static_cast<std::size_t>(py) * m_width;
}

std::uint32_t CMap::GetTile(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(m_tiles);
  return m_tiles[CellIndex(px, py)];
}

bool CMap::IsWall(std::uint32_t px, std::uint32_t py) const { return GetTile(px, py) == kWall; }

bool CMap::IsWallOrOutside(int x, int y) const {
  if (!m_tiles || x < 0 || y < 0) return true;
  const auto px = static_cast<std::uint32_t>(x);
  const auto py = static_cast<std::uint32_t>(y);
  if (px >= m_width || py >= m_height) return true;
  return m_tiles[px + static_cast<std::size_t>(py) * m_width] == kWall;
}

std::uint32_t CMap::GetCost(std::uint32_t px, std::uint32_t py) const {
  KV_ASSERT(m_tiles);
  static_cast<void>(CellIndex(px, py));  // checks the cell
  return mc_cellCost;
}

bool CMap::AreConnected(int x0, int y0, int x1, int y1) const {
  const std::uint32_t region = RegionOf(x0, y0);
  return region != 0 && region == RegionOf(x1, y1);
}

std::uint32_t CMap::RegionOf(int x, int y) const {
  if (IsWallOrOutside(x, y)) return 0;
  return m_region[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_width];
}

void CMap::LabelRegions() {
  if (!m_tiles) return;
  std::fill_n(m_region.get(), CellCount(), 0u);
  // A flood fill from each open cell not yet labelled, four neighbours a cell:
  // a tank drives forward or back along its heading and turns in place.
  std::vector<std::size_t> pending;
  std::uint32_t regions = 0;
  for (std::size_t start = 0; start < CellCount(); ++start) {
    if (m_tiles[start] == kWall || m_region[start] != 0) continue;
    m_region[start] = ++regions;
    pending.push_back(start);
    while (!pending.empty()) {
      const std::size_t cell = pending.back();
      pending.pop_back();
      const std::size_t x = cell % m_width;
      const std::size_t neighbours[] = {x > 0 ? cell - 1 : cell, x + 1 < m_width ? cell + 1 : cell,
                                        cell >= m_width ? cell - m_width : cell,
                                        cell + m_width < CellCount() ? cell + m_width : cell};
      for (const std::size_t next : neighbours) {
        if (m_tiles[next] == kWall || m_region[next] != 0) continue;
        m_region[next] = regions;
        pending.push_back(next);
      }
    }
  }
}

std::uint8_t CMap::GetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_visible);
  return m_visible[team][CellIndex(px, py)];
}

void CMap::SetVisible(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint8_t flag) {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_visible);
  m_visible[team][CellIndex(px, py)] = flag;
}

std::uint32_t CMap::GetThreat(std::uint32_t px, std::uint32_t py, std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_threat);
  return m_threat[team][CellIndex(px, py)];
}

void CMap::AddThreat(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint32_t amount) {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_threat);
  m_threat[team][CellIndex(px, py)] += amount;  // unsigned: wraps around
}

std::uint32_t CMap::GetVuln(std::uint32_t px, std::uint32_t py, std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_vuln);
  return m_vuln[team][CellIndex(px, py)];
}

void CMap::RaiseVuln(std::uint32_t px, std::uint32_t py, std::uint32_t team, std::uint32_t value) {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(m_vuln);
  std::uint32_t& stored = m_vuln[team][CellIndex(px, py)];
  if (value > stored) stored = value;
}

bool CMap::IsOpenCell(std::int64_t x, std::int64_t y) const {
  return x >= 0 && y >= 0 && x < m_width && y < m_height &&
         m_tiles[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_width] == kOpen;
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
  if (row >= mc_goalMarks || !m_hasGoalMark[row]) return false;
  cell = m_goalMark[row];
  return true;
}

const char* CMap::HoldGameProblem(std::uint32_t greenTanks, std::uint32_t blueTanks) const {
  if (!m_tiles || m_width == 0 || m_height == 0) return "holds no cells";
  if (!HasClosedBorder()) return "its border is not closed by walls";
  const std::int64_t w = m_width;
  const std::int64_t h = m_height;
  if (!IsOpenCell(w / 2, h / 2)) return "its centre cell is not open";
  if (!IsOpenCell(1, h - 2) || !IsOpenCell(w - 2, 1)) return "a repair cell is not open";
  // Green stands on row 1 from column 1 rightwards, Blue on row h - 2 from
  // column w - 2 leftwards; the two rows are one and the same when h is 3.
  for (std::int64_t i = 0; i < greenTanks; ++i) {
    if (!IsOpenCell(i + 1, 1)) return "Green's start row has no room for its tanks";
  }
  for (std::int64_t i = 0; i < blueTanks; ++i) {
    const std::int64_t x = w - i - 2;
    if (!IsOpenCell(x, h - 2)) return "Blue's start row has no room for its tanks";
    if (h - 2 == 1 && x >= 1 && x <= greenTanks) return "the teams would start on the same cells";
  }
  return nullptr;
}
