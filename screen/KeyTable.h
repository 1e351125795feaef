#pragma once

#include <cstddef>
#include <cstdint>

// What a key does, on the screen whose table it is in.
enum class KeyAction : std::uint8_t {
  None,
  // The start screen.
  Start, Continue, StepLevel, PreviousBattlefield, NextBattlefield, Quit,
  // Playing.
  SelectTank, MoveForward, MoveBack, TurnLeft, TurnRight, Fire, Wait, Execute, EraseLast, EraseAll, Watch, Restart,
  Leave, Help, Sound, Pace,
  // Watching a game again.
  PlayPause, NextStep, PreviousTurn, Speed, SpeedOne, SpeedTwo, SpeedFour, NextView, Lens,
};

// One row of a key table: the keys as the help panel and `korvane --help`
// name them, what they do in words, the action, and the SDL key symbols
// that give it (0 ends the list; a row of mouse buttons has none). A row
// without a name gives its action and is not listed.
struct KeyRow {
  const char* m_keys;     // "Arrow Keys", or null: not listed
  const char* m_meaning;  // "- Move", as the help panel shows it
  KeyAction m_action;     // what the keys do
  int m_syms[10];         // the key symbols, 0 after the last
};

// A screen's keys: its rows, in the order they are listed.
struct KeyTable {
  const KeyRow* m_rows;  // the rows
  std::size_t m_count;   // how many
};

// The start screen's keys, the keys of play, and those of a game watched again.
extern const KeyTable kStartKeys;
extern const KeyTable kPlayKeys;
extern const KeyTable kReplayKeys;

// What the key symbol does in the table; KeyAction::None for a key it does
// not have.
KeyAction ActionOfKey(const KeyTable& table, int sym);
// For KeyAction::SelectTank: the slot + 1 the key selects (1 to 10), else 0.
std::uint32_t SlotOfKey(int sym);
