#include "units/PathCommands.h"

#include <cstddef>

namespace {

bool MovesAlongHeading(const PathNode& from, const PathNode& to) {
  switch (from.heading) {
    case 0: return to.x > from.x;
    case 1: return to.y > from.y;
    case 2: return to.x < from.x;
    case 3: return to.y < from.y;
    default: return false;
  }
}

}  // namespace

std::vector<PathCommand> CommandsForPath(const std::vector<PathNode>& path) {
  std::vector<PathCommand> commands;
  if (path.size() < 2) return commands;
  commands.reserve(path.size() - 1);
  for (std::size_t k = path.size() - 1; k-- > 0;) {
    const PathNode& prev = path[k + 1];
    const PathNode& cur = path[k];
    if (cur.heading != prev.heading) {
      const int quarters = ((cur.heading - prev.heading) % 4 + 4) % 4;
      commands.push_back(quarters == 1 ? PathCommand::TurnLeft : PathCommand::TurnRight);
    } else {
      commands.push_back(MovesAlongHeading(prev, cur) ? PathCommand::Forward : PathCommand::Back);
    }
  }
  return commands;
}

std::vector<PathCommand> CommandsForPath(const CPathFinder& finder) {
  if (!finder.IsFound()) return {};
  return CommandsForPath(finder.GetPath());
}
