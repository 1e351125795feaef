#include "screen/StatusMessage.h"

#include <initializer_list>

#include "core/TextFormat.h"
#include "screen/ScreenLayout.h"

namespace {

constexpr std::uint32_t kWon = 10;  // the count at which the leading team has won

// The baseline of the status message's line n, counted from 0 at the top.
constexpr int Line(int n) { return ScreenLayout::mc_statusTop - n * ScreenLayout::mc_lineStep; }

StatusMessage Lines(std::initializer_list<StatusLine> lines) {
  StatusMessage message;
  for (const StatusLine& line : lines) message.m_lines[message.m_count++] = line;
  return message;
}

int TurnsToWin(std::uint32_t hillCount) { return hillCount >= kWon ? 0 : static_cast<int>(kWon - hillCount); }

}  // namespace

StatusMessage ChooseStatusMessage(std::uint32_t hillCount, std::int32_t greenAlive, std::int32_t blueAlive) {
  // No tank left on either side ends the game whatever the count says: both
  // teams may fall while one of them counts down on the centre. When Green's
  // last tank falls early in a turn while Blue still has tanks, the turn's
  // end declares Blue the winner: until then the game is no tie.
  if (greenAlive == 0 && blueAlive == 0) {
    return Lines({{StatusText::Tie, Line(0)}, {StatusText::PressR, Line(2)}, {StatusText::ToRestart, Line(3)}});
  }
  if (hillCount >= kWon) {
    // The restart lines stand where a tie shows them: one line lower, "to
    // restart." would run into the labels of the roster's second row.
    return Lines({{StatusText::TeamName, Line(0)}, {StatusText::Wins, Line(1)}, {StatusText::PressR, Line(2)},
                  {StatusText::ToRestart, Line(3)}});
  }
  if (hillCount > 0) {
    return Lines({{StatusText::Holds, Line(0)},
                  {StatusText::TheCentre, Line(1)},
                  {StatusText::WinsIn, Line(2)},
                  {StatusText::MoreTurns, Line(3)}});
  }
  return StatusMessage{};
}

const char* FormatStatusLine(StatusText text, std::uint32_t hillCount, std::int32_t hillTeam, char* buffer,
                             std::size_t size) {
  switch (text) {
    case StatusText::TeamName: return FormatText(buffer, size, "%s team", TeamName(hillTeam));
    case StatusText::Holds: return FormatText(buffer, size, "%s holds", TeamName(hillTeam));
    case StatusText::TheCentre: return FormatText(buffer, size, "the centre:");
    case StatusText::WinsIn: return FormatText(buffer, size, "wins in %d", TurnsToWin(hillCount));
    case StatusText::MoreTurns:
      return FormatText(buffer, size, "%s", TurnsToWin(hillCount) == 1 ? "more turn" : "more turns");
    case StatusText::Wins: return FormatText(buffer, size, "   wins!");
    case StatusText::Tie: return FormatText(buffer, size, "    Tie!");
    case StatusText::PressR: return FormatText(buffer, size, "Press 'R'");
    case StatusText::ToRestart: return FormatText(buffer, size, "to restart.");
  }
  return FormatText(buffer, size, "%s", "");
}

CentreLines FormatCentreLines(std::uint32_t hillCount, std::int32_t hillTeam, std::int32_t greenAlive,
                              std::int32_t blueAlive, std::int32_t onCentre) {
  CentreLines centre;
  constexpr std::size_t size = CentreLines::mc_lineSize;
  const bool counted = greenAlive > 0 && blueAlive > 0;
  if (!counted && (onCentre == 0 || onCentre == 1)) {
    FormatText(centre.m_lines[0], size, "Centre: %s on it", TeamName(onCentre));
    centre.m_count = 1;
  } else if (counted && hillCount > 0 && (hillTeam == 0 || hillTeam == 1)) {
    FormatText(centre.m_lines[0], size, "Centre: held by %s", TeamName(hillTeam));
    FormatText(centre.m_lines[1], size, "for %u turn end%s", static_cast<unsigned>(hillCount),
               hillCount == 1 ? "" : "s");
    centre.m_count = 2;
  } else {
    FormatText(centre.m_lines[0], size, "Centre: free");
    centre.m_count = 1;
  }
  return centre;
}

std::uint32_t ShownTurn(std::uint32_t turn, bool inProgress, std::int32_t stepsDone) {
  return inProgress || stepsDone > 0 || turn <= 1 ? turn : turn - 1;
}

const char* TeamName(std::int32_t team) {
  static constexpr const char* kNames[] = {"Green", "Blue"};
  return team == 0 || team == 1 ? kNames[team] : "";
}
