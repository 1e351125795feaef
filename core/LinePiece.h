#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// The one rule of every line reader: a piece ends at a line feed (not part
// of it) or when it holds maxPiece characters; a last piece without a line
// feed counts unless it is empty. getChar() yields the next character with
// CR LF already turned into LF, or EOF. False when no piece was left.
template <typename GetChar>
bool ReadLinePiece(GetChar&& getChar, std::size_t maxPiece, std::string& piece) {
  piece.clear();
  while (piece.size() < maxPiece) {
    const int c = getChar();
    if (c == EOF) return !piece.empty();
    if (c == '\n') return true;
    piece.push_back(static_cast<char>(c));
  }
  return true;
}
