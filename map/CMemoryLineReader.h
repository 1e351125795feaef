#pragma once

#include <cstddef>
#include <string>

// Reads text held in memory in pieces exactly as CLineReader reads a file: a
// piece ends after a line feed or when it holds bufferSize - 1 characters,
// CR LF reads as LF, and the line feed is not part of the piece. The map
// reader uses it for the battlefield compiled into the program.
class CMemoryLineReader {
 public:
  // The bytes must outlive the reader.
  CMemoryLineReader(const unsigned char* bytes, std::size_t size, std::size_t bufferSize);

  // Reads the next piece into `piece`; false at the end of the text.
  bool Next(std::string& piece);
  // Starts reading again from the beginning.
  void Rewind() { m_pos = 0; }

 private:
  // Next character with CR LF turned into LF, or EOF.
  int GetChar();

  const unsigned char* m_bytes;  // the text, not owned
  std::size_t m_size;            // bytes in m_bytes
  std::size_t m_pos = 0;         // next unread byte
  std::size_t m_maxPiece;        // characters a piece may hold: bufferSize - 1
};
