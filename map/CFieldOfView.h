#pragma once

#include <cstdint>
#include <memory>

class CMap;

// What a viewer on the grid sees: recursive shadowcasting over the eight
// octants around the viewer, each scanned column by column outwards between a
// pair of slopes, limited to a circle by a table of column extents and cut to
// a beam by giving octants a partial slope range. It knows nothing of walls or
// teams: a blocking test says which cells stop sight and a reveal action is
// handed every cell found visible, with an untyped context passed through.
class CFieldOfView {
 public:
  // True when cell (x, y) blocks sight.
  using BlocksSightFn = bool (*)(const CMap& map, int x, int y);
  // Called for every cell found visible. d and s are the cell's distances from
  // the viewer along the scanned octant's main and side axes.
  using RevealFn = void (*)(const CMap& map, int x, int y, int d, int s, void* context);

  // Facing codes: the beam's centre line, in steps of 45 degrees clockwise on screen.
  static constexpr int mc_facePlusX = 0;
  static constexpr int mc_faceMinusY = 2;
  static constexpr int mc_faceMinusX = 4;
  static constexpr int mc_facePlusY = 6;

  CFieldOfView();
  ~CFieldOfView();
  CFieldOfView(const CFieldOfView&) = delete;
  CFieldOfView& operator=(const CFieldOfView&) = delete;

  void SetOpaqueTest(BlocksSightFn blocksSight);
  void SetRevealAction(RevealFn reveal);

  // Reveals what a viewer on cell (x, y) sees within `radius` cells in a beam
  // of `angle` degrees centred on the facing code `direction`. The viewer's
  // own cell is not revealed. Both functions must be set.
  void Cast(const CMap& map, void* context, int x, int y, std::uint32_t radius, int direction, float angle);

  // The greatest side distance inside the circle of that radius at main
  // distance `column` (0 beyond the circle); tables are built once per radius.
  std::uint32_t ColumnExtent(std::uint32_t radius, std::uint32_t column);

 private:
  struct ScanRecord;

  // Scans octant 0 to 7 from column d outwards with visible slopes [start, end].
  void ScanOctant(const ScanRecord& scan, int octant, std::uint32_t d, float start, float end);
  void ScanPair(const ScanRecord& scan, const int (&pair)[2], float start, float end);

  BlocksSightFn m_blocksSight = nullptr;                         // the blocking test, or null before set
  RevealFn m_reveal = nullptr;                                   // the reveal action, or null before set
  std::unique_ptr<std::unique_ptr<std::uint32_t[]>[]> m_extents; // entry r - 1: extents for radius r, or null
  std::uint32_t m_extentCount = 0;                               // entries of m_extents
};
