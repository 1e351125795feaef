#include "ai/DistanceField.h"

#include "ai/CKnownMatch.h"
#include "units/Heading.h"

std::vector<std::int32_t> EmptyField(const CKnownMatch& known) {
  return std::vector<std::int32_t>(static_cast<std::size_t>(known.CellCount()), kFarAway);
}

void FillDistances(const CKnownMatch& known, std::vector<std::int32_t>& field, std::uint32_t blockers,
                   std::int32_t passable) {
  if (field.size() != static_cast<std::size_t>(known.CellCount())) return;
  std::vector<std::int32_t> queue;
  queue.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == 0) queue.push_back(static_cast<std::int32_t>(i));
  }
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const std::int32_t width = known.GetWidth();
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const std::int32_t cell = queue[head];
    for (std::int32_t d = 0; d < 4; ++d) {
      const HeadingVector step = HeadingFromIndex(d);
      const std::int32_t x = cell % width + step.dx;
      const std::int32_t y = cell / width + step.dy;
      if (!known.IsOpen(x, y)) continue;
      const auto next = static_cast<std::size_t>(known.Cell(x, y));
      if (field[next] != kFarAway) continue;
      const std::int32_t at = known.TankAt(x, y);
      if (at != CKnownMatch::mc_none && at != passable && ((blockers >> tanks[static_cast<std::size_t>(at)].m_team) & 1u)) {
        continue;
      }
      field[next] = field[static_cast<std::size_t>(cell)] + 1;
      queue.push_back(static_cast<std::int32_t>(next));
    }
  }
}

void MarkFiringCells(const CKnownMatch& known, std::vector<std::int32_t>& field, std::int32_t target,
                     std::int32_t reach, bool front) {
  if (target < 0 || static_cast<std::size_t>(target) >= known.GetTanks().size()) return;
  const TankState& s = known.GetTanks()[static_cast<std::size_t>(target)].m_state;
  const std::int32_t facing = HeadingIndex(s.dx, s.dy);
  for (std::int32_t d = 0; d < 4; ++d) {
    // The cells along the target's heading are where it fires back first.
    if (d == facing && !front) continue;
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t x = s.x + step.dx;
    std::int32_t y = s.y + step.dy;
    for (std::int32_t n = 0; n < reach && known.IsOpen(x, y); ++n, x += step.dx, y += step.dy) {
      if (known.TankAt(x, y) != CKnownMatch::mc_none) break;
      field[static_cast<std::size_t>(known.Cell(x, y))] = 0;
    }
  }
}
