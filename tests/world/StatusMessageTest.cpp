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

TEST(StatusMessageTest, TheCountdownNamesTheLeaderAndTheTurnsStillToHold) {
  for (std::uint32_t count = 1; count <= 9; ++count) {
    const std::string left = "in " + std::to_string(10 - count) + " turns.";
    EXPECT_EQ(Shown(count, 0, 3, 3), (Lines{{384, "Green team"}, {364, "  victory"}, {344, left}})) << count;
    EXPECT_EQ(Shown(count, 1, 2, 1), (Lines{{384, "Blue team"}, {364, "  victory"}, {344, left}})) << count;
  }
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
  EXPECT_STREQ(FormatStatusLine(StatusText::TurnsLeft, 3, 0, small, sizeof small), "in 7");
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
