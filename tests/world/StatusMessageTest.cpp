#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "screen/HealthBar.h"
#include "screen/StatusMessage.h"

namespace {

using Lines = std::vector<std::pair<int, std::string>>;

// The message's lines as the screen shows them: baseline and text.
Lines Shown(std::uint32_t hillCount, std::int32_t hillTeam, std::int32_t greenAlive, std::int32_t blueAlive) {
  const StatusMessage message = ChooseStatusMessage(hillCount, greenAlive, blueAlive);
  Lines lines;
  char buffer[1024];
  for (std::size_t i = 0; i < message.m_count; ++i) {
    const StatusLine& line = message.m_lines[i];
    lines.emplace_back(line.m_y, FormatStatusLine(line.m_text, hillCount, hillTeam, buffer, sizeof buffer));
  }
  return lines;
}

}  // namespace

std::vector<std::string> Centre(std::uint32_t hillCount, std::int32_t hillTeam, std::int32_t greenAlive,
                                std::int32_t blueAlive, std::int32_t onCentre) {
  const CentreLines lines = FormatCentreLines(hillCount, hillTeam, greenAlive, blueAlive, onCentre);
  return std::vector<std::string>(lines.m_lines, lines.m_lines + lines.m_count);
}

// What misled a player: a countdown that read as a win ("Green team victory
// in 9 turns."), a centre line claiming 10/10 after a game won by
// destruction, and a turn number one ahead once the game was over.
TEST(StatusMessageTest, TheCountdownNamesTheLeaderAndTheTurnsStillToHold) {
  using Texts = std::vector<std::string>;
  const struct {
    std::uint32_t count;
    std::int32_t team, green, blue, onCentre;
    Lines status;
    Texts centre;
  } rows[] = {
      {0, 0, 3, 3, -1, {}, {"Centre: free"}},
      // Standing on it before a turn end counts for nothing yet.
      {0, 1, 3, 3, 0, {}, {"Centre: free"}},
      {1, 0, 3, 3, 0,
       {{384, "Green holds"}, {364, "the centre:"}, {344, "wins in 9"}, {324, "more turns"}},
       {"Centre: held by Green", "for 1 turn end"}},
      {9, 1, 2, 1, -1,
       {{384, "Blue holds"}, {364, "the centre:"}, {344, "wins in 1"}, {324, "more turn"}},
       {"Centre: held by Blue", "for 9 turn ends"}},
      // Won on the centre: held for ten turn ends.
      {10, 0, 2, 1, 0,
       {{384, "Green team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}},
       {"Centre: held by Green", "for 10 turn ends"}},
      // Won by destroying every enemy: the centre is whoever stands on it.
      {10, 1, 0, 2, -1,
       {{384, "Blue team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}},
       {"Centre: free"}},
      {10, 0, 1, 0, 0,
       {{384, "Green team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}},
       {"Centre: Green on it"}},
      // Green's last tank fell mid-turn during Blue's countdown.
      {4, 1, 0, 3, 1,
       {{384, "Blue holds"}, {364, "the centre:"}, {344, "wins in 6"}, {324, "more turns"}},
       {"Centre: Blue on it"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.count) + " for team " + std::to_string(row.team));
    EXPECT_EQ(Shown(row.count, row.team, row.green, row.blue), row.status);
    EXPECT_EQ(Centre(row.count, row.team, row.green, row.blue, row.onCentre), row.centre);
  }
  // The turn shown: the one planned or played; once over, the last played
  // (the match stands at the next one unless a tie stopped a turn mid-way).
  const struct {
    std::uint32_t turn;
    bool inProgress;
    std::int32_t steps;
    std::uint32_t shown;
  } turns[] = {{1, true, 0, 1}, {7, true, 3, 7}, {11, false, 0, 10}, {4, false, 2, 4}, {1, false, 0, 1}};
  for (const auto& t : turns) EXPECT_EQ(ShownTurn(t.turn, t.inProgress, t.steps), t.shown) << t.turn;
}

TEST(StatusMessageTest, TenOrMoreIsAWinWithTheRestartLines) {
  for (std::uint32_t count : {10u, 11u, 4000000000u}) {
    EXPECT_EQ(Shown(count, 0, 2, 0),
              (Lines{{384, "Green team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}}));
    EXPECT_EQ(Shown(count, 1, 0, 4),
              (Lines{{384, "Blue team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}}));
  }
}

TEST(StatusMessageTest, ATieWheneverNeitherTeamHasATank) {
  EXPECT_EQ(Shown(0, 0, 0, 0), (Lines{{384, "    Tie!"}, {344, "Press 'R'"}, {324, "to restart."}}));
  EXPECT_EQ(Shown(0, 1, 0, 0), Shown(0, 0, 0, 0));
  // Both teams destroyed while one counted down on the centre.
  EXPECT_EQ(Shown(4, 1, 0, 0), Shown(0, 0, 0, 0));
  // Green's last tank fell while Blue's live, or the other way round: the
  // turn's end will name the winner; until then nothing shows.
  EXPECT_TRUE(Shown(0, 0, 0, 3).empty());
  EXPECT_TRUE(Shown(0, 0, 3, 0).empty());
  EXPECT_TRUE(Shown(0, 0, 3, 3).empty());
}

TEST(StatusMessageTest, LinesFitTheirBufferAndAnUnknownTeamHasNoName) {
  char small[5];
  EXPECT_STREQ(FormatStatusLine(StatusText::TeamName, 3, 0, small, sizeof small), "Gree");
  EXPECT_STREQ(FormatStatusLine(StatusText::WinsIn, 3, 0, small, sizeof small), "wins");
  char buffer[64];
  EXPECT_STREQ(FormatStatusLine(StatusText::TeamName, 3, 2, buffer, sizeof buffer), " team");
  EXPECT_STREQ(FormatStatusLine(StatusText::TeamName, 3, -1, buffer, sizeof buffer), " team");
}

TEST(HealthBarTest, ColourBySeverityAndOneSegmentPerFullTenPoints) {
  const float red[4] = {0.8f, 0.0f, 0.0f, 1.0f};
  const float yellow[4] = {0.8f, 0.8f, 0.0f, 1.0f};
  const float grey[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  const struct {
    std::int32_t hitPoints;
    const float* rgba;
    std::int32_t segments;
  } rows[] = {
      {30, red, 3}, {31, yellow, 3}, {60, yellow, 6}, {61, grey, 6}, {100, grey, 10}, {9, red, 0},
      {10, red, 1}, {0, red, 0},     {-40, red, 0},   {99, grey, 9},
      // Never more segments than the bar holds.
      {250, grey, 10},
  };
  for (const auto& row : rows) {
    const HealthBar bar = HealthBarFor(row.hitPoints);
    EXPECT_EQ(bar.m_segments, row.segments) << row.hitPoints;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bar.m_rgba[i], row.rgba[i]) << row.hitPoints;
  }
}
