#include "screen/GameSummary.h"

#include "core/TextFormat.h"
#include "screen/CGameTally.h"
#include "screen/StatusMessage.h"
#include "world/CGameWorld.h"

namespace {

// Appends a line in the team's colour (-1: white) when there is room.
template <typename... Args>
void Add(SummaryLines& summary, std::int32_t team, const char* format, Args... args) {
  if (summary.m_count == SummaryLines::mc_maxLines) return;
  FormatText(summary.m_lines[summary.m_count], SummaryLines::mc_lineSize, format, args...);
  summary.m_team[summary.m_count++] = team;
}

}  // namespace

SummaryLines FormatGameSummary(const CGameTally& tally, const CGameWorld& match) {
  SummaryLines summary;
  const std::uint32_t turns = ShownTurn(match.GetTurn(), match.IsInProgress(), match.GetStepsDone());
  Add(summary, -1, "Game over: %u turn%s", static_cast<unsigned>(turns), turns == 1 ? "" : "s");
  if (tally.GetFirstTurn() > 1) Add(summary, -1, "Counted from turn %u", static_cast<unsigned>(tally.GetFirstTurn()));
  for (std::uint32_t team = 0; team < 2; ++team) {
    const auto slots = static_cast<unsigned>(match.GetTeamTanks(team).size());
    const auto alive = static_cast<unsigned>(match.GetAliveCount(team));
    const SideFigures& side = tally.GetSide(team);
    const auto colour = static_cast<std::int32_t>(team);
    Add(summary, colour, "%s: %u of %u tanks lost", TeamName(colour), slots - alive, slots);
    Add(summary, colour, "damage dealt %u", static_cast<unsigned>(side.m_damageDealt));
    Add(summary, colour, "damage taken %u", static_cast<unsigned>(side.m_damageTaken));
    Add(summary, colour, "on centre: %u turn end%s", static_cast<unsigned>(side.m_centreTurns),
        side.m_centreTurns == 1 ? "" : "s");
  }
  return summary;
}
