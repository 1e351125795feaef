#pragma once

#include <cstdint>
#include <vector>

class CTeamView;

// The Normal computer's picture of the danger on the battlefield, for the
// team it plans: for every enemy tank the team sees, the cells that tank
// could shoot into soon (threat, summed) and the cells from which it could
// itself be shot (vulnerability, the greatest value raised). Rebuilt at
// every turn end before the team's tanks are planned.
class CThreatMaps {
 public:
  // Rebuilds both layers from what the team sees.
  void Update(const CTeamView& view);
  // Sets the size and every cell of both layers to 0.
  void Reset(std::uint32_t width, std::uint32_t height);

  std::uint32_t GetWidth() const { return m_width; }
  std::uint32_t GetHeight() const { return m_height; }
  // A cell's values; a cell outside the layers stops the program.
  std::uint32_t GetThreat(std::uint32_t x, std::uint32_t y) const;
  std::uint32_t GetVuln(std::uint32_t x, std::uint32_t y) const;
  // Adds to the threat, wrapping around on overflow.
  void AddThreat(std::uint32_t x, std::uint32_t y, std::uint32_t amount);
  // Raises the vulnerability to the value if the value is greater; never lowers it.
  void RaiseVuln(std::uint32_t x, std::uint32_t y, std::uint32_t value);

 private:
  std::size_t CellIndex(std::uint32_t x, std::uint32_t y) const;

  std::vector<std::uint32_t> m_threat;  // per cell, row-major
  std::vector<std::uint32_t> m_vuln;    // per cell, row-major
  std::uint32_t m_width = 0;            // columns
  std::uint32_t m_height = 0;           // rows
};
