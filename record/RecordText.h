#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CGameRecord;

// The text form of a game record: one item a line, readable in an editor.
//   korvane-record 1
//   size 25 22
//   row #########...          (one line per row, top row first)
//   teams 3 3
//   computer normal           (the computer's level: normal or hard)
//   seed 1733622000
//   cursor 417
//   turn AAF 2+R - -          (per Green slot: kept+added, "-" for nothing)
//   check 93c1d0e2a4f55b07    (the world's checksum at that turn's end)
//   plans 1+F -               (optional: queues being planned, then)
//   selected 1
struct RecordText {
  // A record file longer than this is refused unread.
  static constexpr std::size_t mc_maxFileBytes = 4 * 1024 * 1024;
  // So is a line longer than this.
  static constexpr std::size_t mc_maxLineBytes = 8192;
  // Turns and rows a record may hold.
  static constexpr std::size_t mc_maxTurns = 100000;
  static constexpr std::uint32_t mc_maxSide = 1000;
};

std::string WriteRecordText(const CGameRecord& record);
// Reads a record from its text. On false, `error` says what is wrong and
// where ("line 7: ..."), and `record` is unspecified.
bool ReadRecordText(const std::string& text, CGameRecord& record, std::string& error);
// Reads a record file: refuses anything but a regular file of at most
// mc_maxFileBytes. The error names the file.
bool ReadRecordFile(const std::string& path, CGameRecord& record, std::string& error);
