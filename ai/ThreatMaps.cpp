// The computer's picture of the danger on the battlefield: for every enemy
// tank it sees, the cells that tank could shoot into soon (threat, summed) and
// the cells from which it could itself be shot (vulnerability, the greatest
// value raised).
#include <array>
#include <cstdint>

#include "units/CTank.h"
#include "units/Move.h"
#include "world/CGameWorld.h"

namespace {

// The computer always plays Blue and rates the battlefield against Green.
constexpr std::uint32_t kComputerTeam = 1;
constexpr std::uint32_t kEnemyTeam = 0;
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
// counts as one) or the first enemy tank the computer sees, rating every cell
// on the way.
void TraceLine(CGameWorld& world, const TankState& shooter, bool repairing, const ThreatLine& line) {
  CMap& map = world.GetMap();
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
    // Only what Blue sees can stop a line; its own tanks never do.
    if (map.GetVisible(px, py, kComputerTeam) != 0 &&
        world.IsTankAt(x, y, static_cast<std::int32_t>(kComputerTeam))) {
      return;
    }
    map.AddThreat(px, py, kComputerTeam, rated == 0 ? line.firstThreat : line.furtherThreat);
    if (ratesVuln) map.RaiseVuln(px, py, kComputerTeam, rated == 0 ? line.firstVuln : line.furtherVuln);
    if (world.IsRepairCell(x, y)) map.AddThreat(px, py, kComputerTeam, kRepairCellThreat);
    if (ratesVuln && repairing) map.RaiseVuln(px, py, kComputerTeam, kRepairingShooterVuln);
    walker.Advance();
  }
}

}  // namespace

void CGameWorld::UpdateThreatMaps() {
  m_Map.ClearThreat();
  m_Map.ClearVuln();
  const std::int32_t centreX = static_cast<std::int32_t>(m_Map.GetWidth() / 2);
  const std::int32_t centreY = static_cast<std::int32_t>(m_Map.GetHeight() / 2);
  if (IsInGrid(m_Map, centreX, centreY)) {
    m_Map.RaiseVuln(static_cast<std::uint32_t>(centreX), static_cast<std::uint32_t>(centreY), kComputerTeam,
                    kCentreVuln);
  }

  for (const CTank* shooter : m_TeamTanks[kEnemyTeam]) {
    if (!shooter) continue;
    const TankState& state = shooter->GetState();
    if (!IsInGrid(m_Map, state.x, state.y)) continue;
    if (m_Map.GetVisible(static_cast<std::uint32_t>(state.x), static_cast<std::uint32_t>(state.y), kComputerTeam) !=
        1) {
      continue;
    }
    const bool repairing = IsRepairCell(state.x, state.y);
    for (const ThreatLine& line : kThreatLines) TraceLine(*this, state, repairing, line);
  }
}
