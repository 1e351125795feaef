#include "screen/LogText.h"

#include "core/TextFormat.h"
#include "screen/StatusMessage.h"

namespace {

const char* SideName(HitSide side) {
  switch (side) {
    case HitSide::Rear: return "rear";
    case HitSide::Side: return "side";
    case HitSide::Front: return "front";
    case HitSide::RepairCell: return "on repair";
  }
  return "";
}

// The player's tanks by their numbers, any other by its team's name.
const char* TankName(std::int32_t team, std::uint32_t slot, std::int32_t playerTeam, char* buffer, std::size_t size) {
  if (team == playerTeam) return FormatText(buffer, size, "%u", static_cast<unsigned>(slot));
  return FormatText(buffer, size, "%s", TeamName(team));
}

}  // namespace

const char* FormatLogEvent(const LogEvent& event, std::int32_t playerTeam, char* buffer, std::size_t size) {
  char actor[8];
  char target[8];
  TankName(event.m_actorTeam, event.m_actorSlot, playerTeam, actor, sizeof actor);
  TankName(event.m_targetTeam, event.m_targetSlot, playerTeam, target, sizeof target);
  const auto turn = static_cast<unsigned>(event.m_turn);
  const int step = event.m_step;
  switch (event.m_kind) {
    case LogEvent::Kind::Hit:
      if (!event.m_actorSeen) {
        return FormatText(buffer, size, "T%u s%d %s hit %s -%d from the fog", turn, step, target,
                          SideName(event.m_side), event.m_amount);
      }
      return FormatText(buffer, size, "T%u s%d %s hits %s %s -%d", turn, step, actor, target, SideName(event.m_side),
                        event.m_amount);
    case LogEvent::Kind::Destroy:
      if (!event.m_actorSeen) return FormatText(buffer, size, "T%u s%d %s destroyed from the fog", turn, step, target);
      return FormatText(buffer, size, "T%u s%d %s destroys %s", turn, step, actor, target);
    case LogEvent::Kind::Repair:
      return FormatText(buffer, size, "T%u s%d %s repaired +%d", turn, step, actor, event.m_amount);
  }
  return FormatText(buffer, size, "%s", "");
}

