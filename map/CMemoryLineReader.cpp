#include "map/CMemoryLineReader.h"

#include <cstdio>

#include "core/Assert.h"
#include "core/LinePiece.h"

CMemoryLineReader::CMemoryLineReader(const unsigned char* bytes, std::size_t size, std::size_t bufferSize)
    : m_bytes(bytes), m_size(bytes ? size : 0), m_maxPiece(bufferSize - 1) {
  KV_ASSERT(bufferSize >= 2);
}

int CMemoryLineReader::GetChar() {
  if (m_pos == m_size) return EOF;
  const int c = m_bytes[m_pos++];
  if (c == '\r' && m_pos < m_size && m_bytes[m_pos] == '\n') {
    ++m_pos;
    return '\n';
  }
  return c;  // a lone carriage return stays part of the line
}

bool CMemoryLineReader::Next(std::string& piece) {
  return ReadLinePiece([this] { return GetChar(); }, m_maxPiece, piece);
}
