#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

// The names of finished games in the history folder. A game is named after
// the moment it finished in UTC, with a zero-padded number for games
// finished in the same second ("game-20250330T011500Z-000.kvrec"), so that
// the names sort in the order the games finished. Older versions named games
// in local time ("game-2024-10-27-021500.kvrec", then "-2", "-3" in the same
// second); such names count as older than every name of today's kind.

// The name for a game finished at `when`, given the names already in the
// history (any names; those not given by this game are ignored). It sorts
// after every name of today's kind there, even when the clock went back.
std::string NextHistoryName(const std::vector<std::string>& names, std::time_t when);

// The names to delete so that the newest `kept` games remain, oldest first.
// Names this game did not give are never among them.
std::vector<std::string> HistoryToPrune(const std::vector<std::string>& names, std::size_t kept);
