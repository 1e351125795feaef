#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>

#include "core/TextFormat.h"

TEST(TextFormatTest, FormatsIntoTheBufferAndReturnsIt) {
  char buffer[32];
  const char* text = FormatText(buffer, sizeof buffer, "in %d turns.", 9);
  EXPECT_EQ(text, buffer);
  EXPECT_STREQ(text, "in 9 turns.");
}

TEST(TextFormatTest, CutsTextThatDoesNotFitAndStillTerminates) {
  char buffer[8];
  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_STREQ(FormatText(buffer, sizeof buffer, "%s team", "Green"), "Green t");
}

TEST(TextFormatTest, ZeroSizedBufferIsLeftAlone) {
  char buffer[1] = {'q'};
  FormatText(buffer, 0, "%d", 1);
  EXPECT_EQ(buffer[0], 'q');
}

namespace {

// A font of the test's own: 7 pixels a byte, 12 for 'W' and 'M', 3 for the
// dot of "..." (font 1 makes every byte 14).
float TestWidth(int font, const char* text) {
  float width = 0.0f;
  for (const char* c = text; *c; ++c) width += *c == '.' ? 3.0f : (*c == 'W' || *c == 'M') ? 12.0f : 7.0f;
  return font == 1 ? 2.0f * width : width;
}

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
    if (extra == 9 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

}  // namespace

// Lines that run over a picture or off the window: every line fits its room,
// no more lines than allowed, words kept whole and in order, a path too long
// for a line keeps its start and its file name, and no character is cut.
TEST(TextFormatTest, FittedLinesNeverOutgrowTheirRoomAndAPathKeepsItsNameEnd) {
  const std::string path = "/home/a-player-with-a-long-name/.local/share/korvane/autosave.kvrec";
  const std::string texts[] = {
      "Random #4294967295",
      path + ": turn 12 does not match this game",
      "tests/maps/\xC3\xA9t\xC3\xA9-\xC3\xA0-la-plage-tr\xC3\xA8s-longue-\xC3\xA9vidence.dat is one-sided: Blue's start "
      "cannot reach the centre.",
      "Continue: Borderland, turn 17, Normal, 10 v 10",
      std::string(400, 'W') + " after a word longer than a line's buffer",
      "  blanks   between\nwords ",
      "",
  };
  for (const std::string& text : texts) {
    for (const float room : {2.0f, 12.0f, 40.0f, 120.0f, 250.0f, 540.0f, 2000.0f}) {
      for (const std::size_t maxLines : {1u, 2u, 4u, 9u}) {
        for (const int font : {0, 1}) {
          SCOPED_TRACE(text + " in " + std::to_string(room) + " px, " + std::to_string(maxLines) + " lines, font " +
                       std::to_string(font));
          FittedText fitted;
          FitText(text.c_str(), room, maxLines, font, TestWidth, fitted);
          EXPECT_LE(fitted.m_count, std::min<std::size_t>(maxLines, FittedText::mc_maxLines));
          std::string joined;
          bool shortened = false;
          for (std::size_t i = 0; i < fitted.m_count; ++i) {
            const std::string line = fitted.m_lines[i];
            EXPECT_LE(TestWidth(font, line.c_str()), room) << line;
            EXPECT_TRUE(ValidUtf8(line)) << line;
            shortened = shortened || line.empty() || line.find("...") != std::string::npos;
            joined += (i > 0 ? " " : "") + line;
          }
          std::string words;  // the text with single blanks
          std::istringstream split(text);
          for (std::string word; split >> word;) words += (words.empty() ? "" : " ") + word;
          if (!shortened) {
            EXPECT_EQ(joined, words);
          }
          if (text.empty()) {
            EXPECT_EQ(fitted.m_count, 0u);
          }
        }
      }
    }
  }
  // Where there is room, the path keeps its start and the file's name.
  FittedText fitted;
  FitText((path + ": turn 12 does not match this game").c_str(), 300.0f, 2, 0, TestWidth, fitted);
  ASSERT_EQ(fitted.m_count, 2u);
  const std::string first = fitted.m_lines[0];
  EXPECT_EQ(first.rfind("/home/", 0), 0u) << first;
  EXPECT_NE(first.find("autosave.kvrec:"), std::string::npos) << first;
  EXPECT_NE(first.find("..."), std::string::npos) << first;
  EXPECT_STREQ(fitted.m_lines[1], "turn 12 does not match this game");
}
