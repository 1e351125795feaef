#pragma once

// The keys and buttons of play, as the help panel (F1) shows them and
// `korvane --help` prints them.
struct ControlKey {
  const char* m_Key;      // the key or button
  const char* m_Meaning;  // what it does, as the panel shows it
};

inline constexpr ControlKey kControlKeys[] = {
    {"1 to 0", "- Select Tank"},
    {"Arrow Keys", "- Move"},
    {"F", "- Fire"},
    {"W", "- Wait"},
    {"Space", "- Execute Commands"},
    {"Backspace", "- Erase Last Command"},
    {"Delete or RMB", "- Erase All Commands"},
    {"LMB", "- Plot Path or Select Tank"},
    {"V", "- Watch Last Turn or Game"},
    {"M", "- Sound On/Off"},
    {"R", "- Restart (twice in a game)"},
    {"Escape", "- Start Screen"},
    {"F1", "- This Help"},
};

// The keys of a game watched again, in its help panel and `korvane --help`.
inline constexpr ControlKey kReplayKeys[] = {
    {"Space", "- Play or Pause"},
    {"Right or N", "- Next Step"},
    {"Left or P", "- Previous Turn"},
    {"S or 1, 2, 4", "- Speed x1, x2, x4"},
    {"G or Tab", "- Green's Fog, Blue's, All"},
    {"T", "- Computer's Threat Lens"},
    {"M", "- Sound On/Off"},
    {"Escape", "- Leave the Replay"},
    {"F1", "- This Help"},
};
