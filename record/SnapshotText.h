#pragma once

#include <cstdint>
#include <string>

class CRecordLines;
struct GameSnapshot;

// The text form of a game snapshot inside a record, one item a line:
//   snapshot now              (or "snapshot start")
//   turn-number 7             (the turn to be planned next)
//   cursor 417                (the random table's)
//   hill 1 3                  (who held the centre, and for how many turn ends)
//   seen 0 2                  (per team, its tanks the player saw destroyed)
//   tank 1 0 12 9 0 -1 100 0 0 7 6 4 0
//                             (in the list's order: team, slot, x, y, dx, dy, hit points, busy steps,
//                              hit from behind, objective x, y and heading index, kept commands)
//   queue 12 9 0 -1 100 AALF  (that tank's: the planned state its first command starts from, the
//                              letters; "queue -" for none)
//   sight 0 0011100 ...       (per team, a word per row, top row first: 1 seen)
//   memory 2 5 7 1 0 80 3 1   (the computer's: Green slot, x, y, dx, dy, hit points, age, and 1 when
//                              its cell has been seen empty since; records before version 3 lack it)
//   jam 12                    (plannings of the jam watch)
//   jammed 12 9 0 -1 3 0      (per Blue slot it watches: x, y, dx, dy, queued, turns jammed)
//   watch 0 P1 ... P16        (the Hard computer's: turn ends left of pressing on, the last positions
//                              oldest first; records before version 3 lack it and what follows)
//   watched 12 9 1 0 0        (per Blue slot it watches: the cell its plan set out from, whether the
//                              plan moved it, turn ends blocked, turn ends of detour left)
//   end
struct SnapshotText {
  // Turn numbers, plannings and turns jammed a snapshot may hold.
  static constexpr std::uint32_t mc_maxCount = 1000000000;
};

// What a snapshot must fit: its record's battlefield and teams.
struct SnapshotBounds {
  std::uint32_t m_width = 0;             // the battlefield's columns
  std::uint32_t m_height = 0;            // and rows
  std::uint32_t m_teamSize[2] = {0, 0};  // Green's and Blue's tanks
};

// Appends the snapshot's lines, "snapshot KIND" to "end".
void AppendSnapshotText(std::string& out, const char* kind, const GameSnapshot& snapshot);
// Reads the lines after "snapshot KIND", up to and including "end". Every
// number must lie within the bounds (cells on the battlefield, slots in the
// teams, each slot once, counts within their limits). On false `error` says
// what is wrong, at the line lines.Number(), and `snapshot` is unspecified.
bool ReadSnapshotText(CRecordLines& lines, const SnapshotBounds& bounds, GameSnapshot& snapshot, std::string& error);
