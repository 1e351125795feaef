#include "units/PathCommands.h"

#include <cstddef>
#include <cstdint>

namespace {

bool MovesAlongHeading(const PathNode& from, const PathNode& to) {
  if (from.heading < 0 || from.heading >= kAnyHeading) return false;
  const HeadingVector step = HeadingFromIndex(from.heading);
  const std::int64_t along = (static_cast<std::int64_t>(to.x) - from.x) * step.dx;
  return along + (static_cast<std::int64_t>(to.y) - from.y) * step.dy > 0;
}

}  // namespace

std::vector<Move> CommandsForPath(const std::vector<PathNode>& path) {
  std::vector<Move> commands;
  if (path.size() < 2) return commands;
  commands.reserve(path.size() - 1);
  for (std::size_t k = path.size() - 1; k-- > 0;) {
    const PathNode& prev = path[k + 1];
    const PathNode& cur = path[k];
    if (cur.heading != prev.heading) {
      commands.push_back(QuarterTurns(prev.heading, cur.heading) == 1 ? Move::TurnLeft : Move::TurnRight);
    } else {
      commands.push_back(MovesAlongHeading(prev, cur) ? Move::Forward : Move::Back);
    }
  }
  return commands;
}

std::vector<Move> CommandsForPath(const CPathFinder& finder) {
  if (!finder.IsFound()) return {};
  return CommandsForPath(finder.GetPath());
}
