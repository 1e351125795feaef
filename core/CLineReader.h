#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Reads a text file in pieces the way fgets reads it in text mode into a
// buffer of a given size: a piece ends after a line feed or when it holds
// bufferSize - 1 characters, whichever comes first, so a long line arrives as
// several pieces and a line end left over after a full piece arrives alone.
// CR LF reads as LF. The line feed itself is not part of the piece handed out.
// The game's list and map readers all read this way, each with its own size.
class CLineReader {
 public:
  explicit CLineReader(std::size_t bufferSize);
  ~CLineReader();
  CLineReader(const CLineReader&) = delete;
  CLineReader& operator=(const CLineReader&) = delete;

  // Opens the file for reading; false if it cannot be opened.
  bool Open(const char* path);
  // Reads the next piece into `piece` (without its line feed); false at end of file.
  bool Next(std::string& piece);
  // Starts reading again from the beginning of the file.
  void Rewind();
  void Close();

 private:
  // Next character of the file with CR LF turned into LF, or EOF.
  int GetChar();
  int RawChar();

  std::FILE* m_file = nullptr;     // the open file, or null
  std::size_t m_maxPiece;          // characters a piece may hold: bufferSize - 1
  char m_block[16384];             // bytes read from the file but not yet used
  std::size_t m_blockPos = 0;      // next unused byte of m_block
  std::size_t m_blockLen = 0;      // bytes held in m_block
  int m_pending = EOF;             // a character read ahead, or EOF for none
};
