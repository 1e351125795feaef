#pragma once

#include <string>
#include <vector>

// Where the game looks for its data (the window icon and the Data folder),
// in this order: the working directory, so that the game runs from its
// source tree; "../share/korvane" beside the executable, so that an installed
// game runs wherever its prefix was moved; the data folder of the prefix it
// was built for. The folder holding the window icon is the game's.
std::vector<std::string> DataFolderCandidates();

// The first of the folders that holds the window icon, or empty if none does.
std::string FindDataFolder(const std::vector<std::string>& candidates);

// Makes the game's data folder the working directory, so that every data file
// is found by its path relative to it. False if no folder holds the data;
// `error` then is one line naming the folders searched.
bool EnterDataFolder(std::string* error);
