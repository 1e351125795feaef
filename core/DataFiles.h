#pragma once

// Paths of the files the game reads, relative to the working directory.
// They are written with the system's own separator.

#ifdef _WIN32
#define KV_PATH_SEP "\\"
#else
#define KV_PATH_SEP "/"
#endif

namespace kv {
inline constexpr const char kDataFolder[] = "Data" KV_PATH_SEP;
inline constexpr const char kMapFile[] = "Data" KV_PATH_SEP "map.dat";
// The shipped battlefields: a line "file name" each, the files in the Data folder.
inline constexpr const char kMapListFile[] = "Data" KV_PATH_SEP "maps.dat";
inline constexpr const char kSpriteListFile[] = "Data" KV_PATH_SEP "sprites.dat";
inline constexpr const char kSoundListFile[] = "Data" KV_PATH_SEP "sounds.dat";
inline constexpr const char kFontFile[] = "Data" KV_PATH_SEP "ACKNOWTT.TTF";
inline constexpr const char kIconFile[] = "KVIcon.bmp";
}  // namespace kv
