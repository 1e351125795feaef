#pragma once

#include <string>

// The folders where the game keeps what belongs to the player, after the XDG
// base directory rules: settings under the config home, saved games and
// anything else the game writes under the data home. A variable that is unset,
// empty or not an absolute path counts as unset.

// $XDG_CONFIG_HOME/korvane, else $HOME/.config/korvane; empty when neither
// variable gives an absolute path.
std::string UserConfigFolder();
// $XDG_DATA_HOME/korvane, else $HOME/.local/share/korvane; empty when neither
// variable gives an absolute path.
std::string UserDataFolder();
// Makes the folder and any missing parents. True when it is a folder
// afterwards; on false, `error` (if given) says why in a few words.
bool MakeFolders(const std::string& path, std::string* error = nullptr);
