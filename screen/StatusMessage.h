#pragma once

#include <cstddef>
#include <cstdint>

// The lines the battle screen's status message can show.
enum class StatusText {
  TeamName,   // "%s team" with the leading team's name
  Victory,    // "  victory"
  TurnsLeft,  // "in %d turns." with the turn ends still to hold
  Wins,       // "   wins!"
  Tie,        // "    Tie!"
  PressR,     // "Press 'R'"
  ToRestart,  // "to restart."
};

// One line of the status message.
struct StatusLine {
  StatusText m_text;  // what the line says
  int m_y;            // baseline in screen pixels; every line starts at x = ScreenLayout::mc_statusLeft
};

// The status message at the right of the battlefield: the victory countdown,
// the winner or a tie, as lines stacked downward.
struct StatusMessage {
  static constexpr std::size_t mc_maxLines = 4;

  StatusLine m_lines[mc_maxLines];  // the lines shown, top first
  std::size_t m_count = 0;          // how many of m_lines are shown
};

// The message for the game's state: the turn ends at which the leading team
// held the centre cell (10 or more: it has won) and the living tanks of each
// team. A tie shows whenever neither team has a tank left, even during a
// countdown.
StatusMessage ChooseStatusMessage(std::uint32_t hillCount, std::int32_t greenAlive, std::int32_t blueAlive);

// Writes the line's text for the leading team and its count into the buffer
// and returns the buffer.
const char* FormatStatusLine(StatusText text, std::uint32_t hillCount, std::int32_t hillTeam, char* buffer,
                             std::size_t size);

// "Green" for team 0, "Blue" for team 1, an empty name for any other number.
const char* TeamName(std::int32_t team);
