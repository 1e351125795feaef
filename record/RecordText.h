#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CGameRecord;
class CMap;

// The text form of a game record: one item a line, readable in an editor.
//   korvane-record 2
//   rules 1                   (the rules the turns were played by)
//   size 25 22                (at most 25 x 22, as a map file)
//   row #########...          (one line per row, top row first)
//   teams 3 3
//   computer normal           (the computer's level: normal or hard)
//   seed 1733622000
//   cursor 417
//   snapshot start ... end    (optional: the game the turns start from, see SnapshotText.h)
//   turn AAF 2+R - -          (per Green slot: kept+added, "-" for nothing)
//   check 93c1d0e2a4f55b07    (the world's checksum at that turn's end)
//   snapshot now ... end      (optional: the game at the last turn end)
//   turn AF - -               (optional: the turn under way, with no check)
//   plans 1+F -               (or optional: queues being planned, then)
//   selected 1
// Version 1 had no rules line (its records were played by rules 1), no
// snapshots and no turn under way; it is still read.
struct RecordText {
  // A record file longer than this is refused unread.
  static constexpr std::size_t mc_maxFileBytes = 4 * 1024 * 1024;
  // Turns a record may hold.
  static constexpr std::size_t mc_maxTurns = 100000;
};

std::string WriteRecordText(const CGameRecord& record);
// Reads a record from its text. On false, `error` says what is wrong and
// where ("line 7: ..."), and `record` is unspecified. A battlefield larger
// than a map file may be is refused at its size line, before its rows.
bool ReadRecordText(const std::string& text, CGameRecord& record, std::string& error);
// Reads a record file: refuses anything but a regular file of at most
// mc_maxFileBytes. The error names the file.
bool ReadRecordFile(const std::string& path, CGameRecord& record, std::string& error);

// The battlefield's rows as a record holds them, top row first: '#' a wall,
// '.' open, '1' to '6' the computer's goal marks. Empty for a map without cells.
std::vector<std::string> BattlefieldRows(const CMap& map);
