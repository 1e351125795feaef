#pragma once

#include <cstddef>
#include <cstdint>

// The lines the battle screen's status message can show.
enum class StatusText {
  TeamName,   // "%s team" with the winner's name
  Holds,      // "%s holds" with the name of the team counting down on the centre
  TheCentre,  // "the centre:"
  WinsIn,     // "wins in %d" with the turn ends it still has to hold
  MoreTurns,  // "more turns", or "more turn" for the last one
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
// team. A countdown reads as one ("Green holds the centre: wins in 9 more
// turns"). A tie shows whenever neither team has a tank left, even during a
// countdown.
StatusMessage ChooseStatusMessage(std::uint32_t hillCount, std::int32_t greenAlive, std::int32_t blueAlive);

// Writes the line's text for the leading team and its count into the buffer
// and returns the buffer.
const char* FormatStatusLine(StatusText text, std::uint32_t hillCount, std::int32_t hillTeam, char* buffer,
                             std::size_t size);

// The centre line under the score, in one or two lines of the small font.
struct CentreLines {
  static constexpr std::size_t mc_maxLines = 2;
  static constexpr std::size_t mc_lineSize = 48;

  char m_lines[mc_maxLines][mc_lineSize] = {};  // the lines, top first
  std::size_t m_count = 0;                      // how many are shown
};

// Who held the centre cell at the last turn end and for how many turn ends
// in a row ("Centre: held by Green", "for 3 turn ends"), or "Centre: free".
// Once a team has no tank left the count says nothing of the centre (a game
// won by destroying every enemy counts as held to the end): the line then
// names only the team whose tank stands on the centre cell now, `onCentre`
// ("Centre: Green on it"; -1 or another number: "Centre: free").
CentreLines FormatCentreLines(std::uint32_t hillCount, std::int32_t hillTeam, std::int32_t greenAlive,
                              std::int32_t blueAlive, std::int32_t onCentre);

// The turn the screens show: the one being planned or played, and once the
// game is over the last one played (the match has then moved on to the next
// unless a tie stopped it in the middle, stepsDone > 0).
std::uint32_t ShownTurn(std::uint32_t turn, bool inProgress, std::int32_t stepsDone);

// "Green" for team 0, "Blue" for team 1, an empty name for any other number.
const char* TeamName(std::int32_t team);
