#include "screen/LogText.h"

#include "core/TextFormat.h"

const char* HitSideName(HitSide side) {
  switch (side) {
    case HitSide::Rear: return "rear";
    case HitSide::Side: return "side";
    case HitSide::Front: return "front";
    case HitSide::RepairCell: return "on repair";
  }
  return "";
}

const char* FormatTankName(std::int32_t team, std::uint32_t number, char* buffer, std::size_t size) {
  const char letter = team == 0 ? 'G' : team == 1 ? 'B' : '?';
  return FormatText(buffer, size, "%c%u", letter, static_cast<unsigned>(number));
}

const char* FormatLogEvent(const LogEvent& event, char* buffer, std::size_t size) {
  char actor[16];
  char target[16];
  FormatTankName(event.m_actorTeam, event.m_actorSlot, actor, sizeof actor);
  FormatTankName(event.m_targetTeam, event.m_targetSlot, target, sizeof target);
  // "fog" where the player's team did not see who fired.
  const char* shooter = event.m_actorSeen ? actor : "fog";
  const bool ownTank = event.m_actorSeen && event.m_actorTeam == event.m_targetTeam;
  switch (event.m_kind) {
    case LogEvent::Kind::Hit:
      if (ownTank) return FormatText(buffer, size, "%s -> %s own tank -%d", shooter, target, event.m_amount);
      return FormatText(buffer, size, "%s -> %s %s -%d", shooter, target, HitSideName(event.m_side), event.m_amount);
    case LogEvent::Kind::Destroy:
      return FormatText(buffer, size, "%s destroys %s%s", shooter, ownTank ? "own " : "", target);
    case LogEvent::Kind::Repair: return FormatText(buffer, size, "%s repaired +%d", actor, event.m_amount);
  }
  return FormatText(buffer, size, "%s", "");
}

const char* FormatLogStep(const LogEvent& event, char* buffer, std::size_t size) {
  return FormatText(buffer, size, "Turn %u, step %d", static_cast<unsigned>(event.m_turn), event.m_step);
}
