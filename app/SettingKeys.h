#pragma once

#include "app/CSettings.h"

// Every choice the game remembers between runs, one line each: its key in the
// settings file, its default and what it may be. A feature that remembers a
// choice adds its line here, reads it with CSettings::Get where the choice
// takes effect (the world's RestoreChoices for the start screen's choices)
// and stores it with CSettings::Set where the player changes it.
namespace kv {
inline constexpr CIntSetting kGreenTeamSize{"green_team_size", 3, 1, 10};
inline constexpr CIntSetting kBlueTeamSize{"blue_team_size", 3, 1, 10};
inline constexpr CFlagSetting kFullscreen{"fullscreen", false};
inline constexpr CFlagSetting kSound{"sound", true};
// The computer's level, its words in the order of Difficulty's levels.
inline constexpr CChoiceSetting kComputer{"computer", {"normal", "hard"}};
// The battlefield chosen on the start screen, by the name it shows there
// ("Random #<seed>" for a generated one); empty for the default.
inline constexpr CTextSetting kBattlefield{"battlefield", ""};
// How fast the live game's turns are shown, its words in the order of TurnPace's values.
inline constexpr CChoiceSetting kTurnPace{"turn_pace", {"normal", "slow", "fast"}};
}  // namespace kv
