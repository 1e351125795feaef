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
    {"V", "- Watch the Last Turn"},
    {"M", "- Sound On/Off"},
    {"R", "- Restart (twice in a game)"},
    {"Escape", "- Start Screen"},
    {"F1", "- This Help"},
};
