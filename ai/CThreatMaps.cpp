// The computer's picture of the danger on the battlefield: for every enemy
// tank it sees, the cells that tank could shoot into soon (threat, summed) and
// the cells from which it could itself be shot (vulnerability, the greatest
// value raised).
#include "ai/CThreatMaps.h"

#include <array>
#include <cstdint>

#include "core/Assert.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "units/Move.h"
#include "world/CTeamView.h"

namespace {

// Every attack on an enemy is worth at least holding the centre cell.
constexpr std::uint32_t kCentreVuln = 100;
// A tank on a repair cell takes 70 from any hit: its cells are worth more.
constexpr std::uint32_t kRepairCellThreat = 200;
constexpr std::uint32_t kRepairingShooterVuln = 300;

// One line of cells that a shooter threatens: where it starts relative to the
// shooter, what it adds to the threat of its cells and, for the lines the
// shooter can fire along without moving, how good its cells are for
// attacking the shooter.
struct ThreatLine {
  std::array<Move, 4> moves;      // set-up moves from the shooter's state, in order
  std::uint32_t moveCount;        // moves used
  std::uint32_t firstThreat;      // threat of the first cell walked
  std::uint32_t furtherThreat;    // threat of every later cell
  std::uint32_t firstVuln;        // vulnerability of the first cell; 0 on lines that rate none
  std::uint32_t furtherVuln;      // vulnerability of every later cell
  bool boundsCheckBeforeLastMove; // the line is skipped unless the cell before its last move is inside the border
};

using M = Move;
constexpr ThreatLine kThreatLines[] = {
    {{M::Forward}, 1, 100, 100, 100, 100, false},                                    // ahead
    {{M::TurnRight, M::Forward}, 2, 100, 75, 100, 150, false},                       // to the right
    {{M::TurnLeft, M::Forward}, 2, 100, 75, 100, 150, false},                        // to the left
    {{M::TurnLeft, M::TurnLeft, M::Forward}, 3, 100, 50, 100, 250, false},           // behind
    {{M::Forward, M::TurnRight, M::Forward}, 3, 50, 50, 0, 0, false},                // right of the cell ahead
    {{M::Forward, M::TurnLeft, M::Forward}, 3, 50, 50, 0, 0, false},                 // left of the cell ahead
    {{M::Back, M::TurnRight, M::Forward}, 3, 25, 25, 0, 0, false},                   // right of the cell behind
    {{M::Back, M::TurnLeft, M::Forward}, 3, 25, 25, 0, 0, false},                    // left of the cell behind
    {{M::TurnLeft, M::Forward, M::TurnRight, M::Forward}, 4, 40, 40, 0, 0, false},   // ahead of the cell left
    {{M::TurnLeft, M::Forward, M::TurnLeft, M::Forward}, 4, 40, 40, 0, 0, false},    // behind the cell left
    {{M::TurnRight, M::Forward, M::TurnRight, M::Forward}, 4, 40, 40, 0, 0, false},  // behind the cell right
    {{M::TurnRight, M::Forward, M::TurnLeft, M::Forward}, 4, 40, 40, 0, 0, false},   // ahead of the cell right
    {{M::Forward, M::Forward, M::TurnRight, M::Forward}, 4, 40, 40, 0, 0, true},     // right of the cell two ahead
    {{M::Forward, M::Forward, M::TurnLeft, M::Forward}, 4, 40, 40, 0, 0, true},      // left of the cell two ahead
};

bool IsInGrid(const CMap& map, std::int32_t x, std::int32_t y) {
  return x >= 0 && y >= 0 && static_cast<std::uint32_t>(x) < map.GetWidth() &&
         static_cast<std::uint32_t>(y) < map.GetHeight();
}

// On the map but off its left column and bottom row; the right column and the
// top row count as inside.
bool IsInsideBorder(const CMap& map, std::int32_t x, std::int32_t y) {
  return x > 0 && y > 0 && static_cast<std::uint32_t>(x) < map.GetWidth() &&
         static_cast<std::uint32_t>(y) < map.GetHeight();
}

// Places a walker for the line and walks it to the first wall (the map's edge
// counts as one) or the first enemy tank the team sees, rating every cell on
// the way.
void TraceLine(const CTeamView& view, CThreatMaps& maps, const TankState& shooter, bool repairing,
               const ThreatLine& line) {
  const CMap& map = view.GetMap();
  TankState walker = shooter;
  for (std::uint32_t i = 0; i < line.moveCount; ++i) {
    const bool last = i + 1 == line.moveCount;
    if (last && line.boundsCheckBeforeLastMove && !IsInsideBorder(map, walker.x, walker.y)) return;
    ApplyMove(walker, line.moves[i]);
  }
  const bool ratesVuln = line.firstVuln != 0;
  for (std::uint32_t rated = 0;; ++rated) {
    const std::int32_t x = walker.x;
    const std::int32_t y = walker.y;
    if (map.IsWallOrOutside(x, y)) return;
    const auto px = static_cast<std::uint32_t>(x);
    const auto py = static_cast<std::uint32_t>(y);
    // Only what the team sees can stop a line; its own tanks never do.
    if (view.Sees(x, y) && view.IsTankAt(x, y, static_cast<std::int32_t>(view.GetTeam()))) return;
    maps.AddThreat(px, py, rated == 0 ? line.firstThreat : line.furtherThreat);
    if (ratesVuln) maps.RaiseVuln(px, py, rated == 0 ? line.firstVuln : line.furtherVuln);
    if (map.IsRepairCell(x, y)) maps.AddThreat(px, py, kRepairCellThreat);
    if (ratesVuln && repairing) maps.RaiseVuln(px, py, kRepairingShooterVuln);
    walker.Advance();
  }
}

}  // namespace

void CThreatMaps::Reset(std::uint32_t width, std::uint32_t height) {
  m_width = width;
  m_height = height;
  const std::size_t cells = static_cast<std::size_t>(width) * height;
  m_threat.assign(cells, 0);
  m_vuln.assign(cells, 0);
}

std::size_t CThreatMaps::CellIndex(std::uint32_t x, std::uint32_t y) const {
  KV_ASSERT(x < m_width);
  KV_ASSERT(y < m_height);
  return x + static_cast<std::size_t>(y) * m_width;
}

std::uint32_t CThreatMaps::GetThreat(std::uint32_t x, std::uint32_t y) const { return m_threat[CellIndex(x, y)]; }

std::uint32_t CThreatMaps::GetVuln(std::uint32_t x, std::uint32_t y) const { return m_vuln[CellIndex(x, y)]; }

void CThreatMaps::AddThreat(std::uint32_t x, std::uint32_t y, std::uint32_t amount) {
  m_threat[CellIndex(x, y)] += amount;  // unsigned: wraps around
}

void CThreatMaps::RaiseVuln(std::uint32_t x, std::uint32_t y, std::uint32_t value) {
  std::uint32_t& stored = m_vuln[CellIndex(x, y)];
  if (value > stored) stored = value;
}

void CThreatMaps::Update(const CTeamView& view) {
  const CMap& map = view.GetMap();
  Reset(map.GetWidth(), map.GetHeight());
  const MapCell centre = map.GetCentre();
  if (IsInGrid(map, centre.x, centre.y)) {
    RaiseVuln(static_cast<std::uint32_t>(centre.x), static_cast<std::uint32_t>(centre.y), kCentreVuln);
  }
  for (std::size_t slot = 0; slot < view.GetEnemySlots(); ++slot) {
    const CTank* shooter = view.GetSeenEnemy(slot);
    if (!shooter) continue;
    const TankState& state = shooter->GetState();
    const bool repairing = map.IsRepairCell(state.x, state.y);
    for (const ThreatLine& line : kThreatLines) TraceLine(view, *this, state, repairing, line);
  }
}
