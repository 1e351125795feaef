#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/CLineReader.h"
#include "map/CMemoryLineReader.h"
#include "support/TempDir.h"

namespace {

using Pieces = std::vector<std::string>;

Pieces FromFile(const std::string& bytes, std::size_t bufferSize) {
  TempDir dir;
  CLineReader reader(bufferSize);
  EXPECT_TRUE(reader.Open(dir.Write("text", bytes).c_str()));
  Pieces pieces;
  std::string piece;
  while (reader.Next(piece)) pieces.push_back(piece);
  return pieces;
}

Pieces FromMemory(const std::string& bytes, std::size_t bufferSize) {
  CMemoryLineReader reader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), bufferSize);
  Pieces pieces;
  std::string piece;
  while (reader.Next(piece)) pieces.push_back(piece);
  // A second reading after Rewind gives the same pieces.
  reader.Rewind();
  std::size_t again = 0;
  while (reader.Next(piece)) EXPECT_EQ(piece, pieces.at(again++));
  EXPECT_EQ(again, pieces.size());
  return pieces;
}

}  // namespace

// The built-in map is read from memory and Data/map.dat from a file: both
// readers must cut any text into the same pieces.
TEST(CMemoryLineReaderTest, CutsTextExactlyAsTheFileReaderDoes) {
  const std::vector<std::string> texts = {
      "", "\n", "ab\ncd\n", "ab\n\ncd", "ab\r\ncd\r\n", "a\rb\n", "ab\r", "\r", "\r\r\n", "\n\r\n\r",
      "abcdef\n", "abcdefg\n", "abcdefgh\r\n", "abcdefg\r\n", "abcdefghijklmnop", std::string(3, '\0') + "\n",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(FromMemory(text, 8), FromFile(text, 8)) << "text of " << text.size() << " bytes";
  }
  // Random text rich in line ends, for many buffer sizes.
  std::mt19937 random(12345);
  const char alphabet[] = {'#', '.', '\r', '\n', 'x'};
  for (int round = 0; round < 200; ++round) {
    std::string text(random() % 64, '.');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    const std::size_t bufferSize = 2 + random() % 9;
    ASSERT_EQ(FromMemory(text, bufferSize), FromFile(text, bufferSize)) << "round " << round;
  }
}

TEST(CMemoryLineReaderTest, NoBytesGiveNoPieces) {
  CMemoryLineReader reader(nullptr, 10, 16);
  std::string piece = "left over";
  EXPECT_FALSE(reader.Next(piece));
  EXPECT_TRUE(piece.empty());
}
