#include "audio/SoundTable.h"

#include <string>

#include <SDL.h>
#include <SDL_mixer.h>

#include "core/CLineReader.h"
#include "core/DataFiles.h"

namespace {
constexpr std::size_t kListLineBuffer = 1024;
bool g_soundOn = true;  // the player's choice: sound on or muted
}  // namespace

SoundTable& GetSounds() {
  static SoundTable* table = new SoundTable;  // lives as long as the process
  return *table;
}

void LoadSounds(SoundTable& table) { LoadSounds(table, kv::kSoundListFile); }

void LoadSounds(SoundTable& table, const char* listPath) {
  CLineReader reader(kListLineBuffer);
  if (!reader.Open(listPath)) return;
  std::string line;
  while (reader.Next(line)) {
    auto sound = std::make_unique<CSound>();
    if (!line.empty()) sound->Load(line.c_str());
    table.push_back(std::move(sound));
  }
}

CSound* GetSound(const SoundTable& table, int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= table.size()) return nullptr;
  return table[static_cast<std::size_t>(id)].get();
}

void PlaySound(int id) {
  if (CSound* sound = GetSound(GetSounds(), id)) sound->Play(false);
}

void FadeOutChannel(int channel, int ms) {
  if (Mix_QuerySpec(nullptr, nullptr, nullptr)) Mix_FadeOutChannel(channel, ms);
}

void SetSoundOn(bool on) {
  g_soundOn = on;
  if (Mix_QuerySpec(nullptr, nullptr, nullptr)) Mix_Volume(-1, on ? MIX_MAX_VOLUME : 0);
}

bool IsSoundOn() { return g_soundOn; }

void ClearSounds(SoundTable& table) { table.clear(); }
