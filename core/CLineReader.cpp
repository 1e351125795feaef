#include "core/CLineReader.h"

#include "core/Assert.h"
#include "core/LinePiece.h"

CLineReader::CLineReader(std::size_t bufferSize) : m_maxPiece(bufferSize - 1) {
  KV_ASSERT(bufferSize >= 2);
}

CLineReader::~CLineReader() { Close(); }

bool CLineReader::Open(const char* path) {
  Close();
  m_file = std::fopen(path, "rb");
  return m_file != nullptr;
}

void CLineReader::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  m_blockPos = m_blockLen = 0;
  m_pending = EOF;
}

void CLineReader::Rewind() {
  if (!m_file) return;
  std::rewind(m_file);
  m_blockPos = m_blockLen = 0;
  m_pending = EOF;
}

int CLineReader::RawChar() {
  if (m_blockPos == m_blockLen) {
    m_blockLen = std::fread(m_block, 1, sizeof m_block, m_file);
    m_blockPos = 0;
    if (m_blockLen == 0) return EOF;
  }
  return static_cast<unsigned char>(m_block[m_blockPos++]);
}

int CLineReader::GetChar() {
  int c = m_pending;
  if (c != EOF) {
    m_pending = EOF;
  } else {
    c = RawChar();
  }
  if (c == '\r') {
    const int next = RawChar();
    if (next == '\n') return '\n';
    m_pending = next;  // a lone carriage return stays part of the line
  }
  return c;
}

bool CLineReader::Next(std::string& piece) {
  piece.clear();
  if (!m_file) return false;
  return ReadLinePiece([this] { return GetChar(); }, m_maxPiece, piece);
}
