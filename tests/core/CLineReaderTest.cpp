#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CLineReader.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> Pieces(const std::string& bytes, std::size_t bufferSize) {
  TempDir dir;
  const std::string path = dir.Write("file.txt", bytes);
  CLineReader reader(bufferSize);
  EXPECT_TRUE(reader.Open(path.c_str()));
  std::vector<std::string> pieces;
  std::string piece;
  while (reader.Next(piece)) pieces.push_back(piece);
  return pieces;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(CLineReaderTest, SplitsLinesAndDropsTheLineFeed) {
  EXPECT_EQ(Pieces("ab\ncd\n", 16), (Lines{"ab", "cd"}));
  EXPECT_EQ(Pieces("ab\n\ncd", 16), (Lines{"ab", "", "cd"}));  // last line without line feed still counts
  EXPECT_EQ(Pieces("", 16), Lines{});
  EXPECT_EQ(Pieces("\n", 16), Lines{""});
}

TEST(CLineReaderTest, CarriageReturnLineFeedReadsAsLineFeed) {
  EXPECT_EQ(Pieces("ab\r\ncd\r\n", 16), (Lines{"ab", "cd"}));
  EXPECT_EQ(Pieces("a\rb\n", 16), (Lines{"a\rb"}));  // a lone carriage return is kept
  EXPECT_EQ(Pieces("ab\r", 16), (Lines{"ab\r"}));
}

TEST(CLineReaderTest, LongLinesArriveInPiecesOfBufferSizeLessOne) {
  // A buffer of 8 holds 7 characters: 6 plus the line feed fit whole.
  EXPECT_EQ(Pieces("123456\n", 8), (Lines{"123456"}));
  // 7 characters fill the buffer; the line feed left over makes an empty piece.
  EXPECT_EQ(Pieces("1234567\n", 8), (Lines{"1234567", ""}));
  EXPECT_EQ(Pieces("123456789012345\nx", 8), (Lines{"1234567", "8901234", "5", "x"}));
  EXPECT_EQ(Pieces("1234567", 8), (Lines{"1234567"}));
}

TEST(CLineReaderTest, NulAndHighBytesAreOrdinaryCharacters) {
  const std::string bytes("a\0b\xff\n", 5);
  EXPECT_EQ(Pieces(bytes, 16), (Lines{std::string("a\0b\xff", 4)}));
}

TEST(CLineReaderTest, RewindReadsTheFileAgain) {
  TempDir dir;
  const std::string path = dir.Write("file.txt", "one\r\ntwo\n");
  CLineReader reader(16);
  ASSERT_TRUE(reader.Open(path.c_str()));
  std::string piece;
  ASSERT_TRUE(reader.Next(piece));
  ASSERT_TRUE(reader.Next(piece));
  EXPECT_FALSE(reader.Next(piece));
  reader.Rewind();
  ASSERT_TRUE(reader.Next(piece));
  EXPECT_EQ(piece, "one");
}

TEST(CLineReaderTest, MissingFileDoesNotOpenAndReadsNothing) {
  CLineReader reader(16);
  EXPECT_FALSE(reader.Open("/nonexistent/korvane/file"));
  std::string piece = "left over";
  EXPECT_FALSE(reader.Next(piece));
  EXPECT_TRUE(piece.empty());
}

TEST(CLineReaderTest, PiecesSpanningTheReadBlockStayWhole) {
  // The reader fetches the file in blocks of 16 KiB; a CR LF split across a
  // block boundary must still read as one line end.
  std::string bytes(16383, 'x');
  bytes += "\r\nend";
  const Lines pieces = Pieces(bytes, 20000);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].size(), 16383u);
  EXPECT_EQ(pieces[1], "end");
}
