#include "units/CTank.h"
#include "world/CGameWorld.h"

// What each team sees: the cells of its tanks and their beams of 181 degrees
// and 25 cells, blocked by walls.

namespace {

constexpr std::uint32_t kSightRadius = 25;
constexpr float kSightAngle = 181.0f;

// Cells outside the grid block sight as walls do.
bool BlocksSight(const CMap& map, int x, int y) { return map.IsWallOrOutside(x, y); }

// The context is the team whose layer receives the cell.
void RevealCell(CMap& map, int x, int y, int /*d*/, int /*s*/, void* context) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= map.GetWidth() ||
      static_cast<std::uint32_t>(y) >= map.GetHeight()) {
    return;
  }
  map.SetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), *static_cast<const std::uint32_t*>(context),
                 1);
}

}  // namespace

void CGameWorld::ConnectVision() {
  m_Vision.SetOpaqueTest(BlocksSight);
  m_Vision.SetRevealAction(RevealCell);
}

void CGameWorld::RefreshVisibility() {
  MarkStaticLayersDirty();
  m_Map.ClearVisible();
  for (const auto& tank : m_Tanks) {
    std::uint32_t team = static_cast<std::uint32_t>(tank->GetTeam());
    const int x = tank->GetX();
    const int y = tank->GetY();
    RevealCell(m_Map, x, y, 0, 0, &team);
    const TankState& state = tank->GetState();
    m_Vision.Cast(m_Map, &team, x, y, kSightRadius, FacingCode(state.dx, state.dy), kSightAngle);
  }
}
