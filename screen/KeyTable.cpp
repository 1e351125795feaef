#include "screen/KeyTable.h"

#include <SDL.h>

namespace {

constexpr KeyRow kStartRows[] = {
    {"Return", "- Start", KeyAction::Start, {SDLK_RETURN}},
    {"C", "- Continue the saved game", KeyAction::Continue, {SDLK_c}},
    {"D", "- Computer's level", KeyAction::StepLevel, {SDLK_d}},
    {"[ and ]", "- Battlefield", KeyAction::PreviousBattlefield, {SDLK_LEFTBRACKET}},
    {nullptr, nullptr, KeyAction::NextBattlefield, {SDLK_RIGHTBRACKET}},
    {"P", "- Turn Pace", KeyAction::Pace, {SDLK_p}},
    {"M", "- Sound On/Off", KeyAction::Sound, {SDLK_m}},
    {"R", "- A new battlefield set-up", KeyAction::Restart, {SDLK_r}},
    {"F1", "- This Help", KeyAction::Help, {SDLK_F1}},
    {"Escape", "- Quit", KeyAction::Quit, {SDLK_ESCAPE}},
};

constexpr KeyRow kPlayRows[] = {
    {"1 to 0", "- Select Tank", KeyAction::SelectTank,
     {SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9, SDLK_0}},
    {"Arrow Keys", "- Move", KeyAction::MoveForward, {SDLK_UP}},
    {nullptr, nullptr, KeyAction::MoveBack, {SDLK_DOWN}},
    {nullptr, nullptr, KeyAction::TurnLeft, {SDLK_LEFT}},
    {nullptr, nullptr, KeyAction::TurnRight, {SDLK_RIGHT}},
    {"F", "- Fire", KeyAction::Fire, {SDLK_f}},
    {"W", "- Wait", KeyAction::Wait, {SDLK_w}},
    {"Space", "- Execute Commands", KeyAction::Execute, {SDLK_SPACE}},
    {"Backspace", "- Erase Last Command", KeyAction::EraseLast, {SDLK_BACKSPACE}},
    {"Delete or RMB", "- Erase All Commands", KeyAction::EraseAll, {SDLK_DELETE}},
    {"LMB", "- Plot Path or Select Tank", KeyAction::None, {}},
    {"V", "- Watch Last Turn or Game", KeyAction::Watch, {SDLK_v}},
    {"P", "- Turn Pace", KeyAction::Pace, {SDLK_p}},
    {"M", "- Sound On/Off", KeyAction::Sound, {SDLK_m}},
    {"R", "- Restart (twice in a game)", KeyAction::Restart, {SDLK_r}},
    {"Escape", "- Start Screen", KeyAction::Leave, {SDLK_ESCAPE}},
    {"F1", "- This Help", KeyAction::Help, {SDLK_F1}},
};

constexpr KeyRow kReplayRows[] = {
    {"Space", "- Play or Pause", KeyAction::PlayPause, {SDLK_SPACE}},
    {"Right or N", "- Next Step", KeyAction::NextStep, {SDLK_RIGHT, SDLK_n}},
    {"Left or P", "- Previous Turn", KeyAction::PreviousTurn, {SDLK_LEFT, SDLK_p}},
    {"S or 1, 2, 4", "- Speed x1, x2, x4", KeyAction::Speed, {SDLK_s}},
    {nullptr, nullptr, KeyAction::SpeedOne, {SDLK_1}},
    {nullptr, nullptr, KeyAction::SpeedTwo, {SDLK_2}},
    {nullptr, nullptr, KeyAction::SpeedFour, {SDLK_4}},
    {"G or Tab", "- Green's Fog, Blue's, All", KeyAction::NextView, {SDLK_g, SDLK_TAB}},
    {"T", "- Computer's Threat Lens", KeyAction::Lens, {SDLK_t}},
    {"M", "- Sound On/Off", KeyAction::Sound, {SDLK_m}},
    {"Escape", "- Leave the Replay", KeyAction::Leave, {SDLK_ESCAPE}},
    {"F1", "- This Help", KeyAction::Help, {SDLK_F1}},
};

template <std::size_t N>
constexpr KeyTable TableOf(const KeyRow (&rows)[N]) {
  return KeyTable{rows, N};
}

}  // namespace

const KeyTable kStartKeys = TableOf(kStartRows);
const KeyTable kPlayKeys = TableOf(kPlayRows);
const KeyTable kReplayKeys = TableOf(kReplayRows);

KeyAction ActionOfKey(const KeyTable& table, int sym) {
  if (sym == 0) return KeyAction::None;
  for (std::size_t i = 0; i < table.m_count; ++i) {
    for (const int key : table.m_rows[i].m_syms) {
      if (key == 0) break;
      if (key == sym) return table.m_rows[i].m_action;
    }
  }
  return KeyAction::None;
}

std::uint32_t SlotOfKey(int sym) {
  if (sym == SDLK_0) return 10;
  if (sym >= SDLK_1 && sym <= SDLK_9) return static_cast<std::uint32_t>(sym - SDLK_1) + 1;
  return 0;
}
