#pragma once

#include <memory>
#include <vector>

#include "audio/CSound.h"

// The game's sounds; a sound's id is its line number in the list file.
using SoundTable = std::vector<std::unique_ptr<CSound>>;

// Sound ids the game plays.
enum SoundId {
  kSoundTankDestroyed = 1,
  kSoundGreenShot = 2,
  kSoundBlueShot = 3,
  kSoundEngine = 4,
  kSoundVictory = 5,
};

// The program's sound table, created empty on first use and never destroyed.
SoundTable& GetSounds();

// Reads the sound list (the game's own, or the given one): every line, even an
// empty one or a file that fails to load, takes the next id. A missing list
// leaves the table empty.
void LoadSounds(SoundTable& table);
void LoadSounds(SoundTable& table, const char* listPath);

// The sound with that id, or null when the table has none.
CSound* GetSound(const SoundTable& table, int id);

// Plays the sound with that id once, if there is one.
void PlaySound(int id);

// Fades a mixer channel out (-1: every channel); nothing when no mixer is open.
void FadeOutChannel(int channel, int ms);

// Sound on or off for the whole game. Off mutes every mixer channel, so what
// plays goes on silently and is heard again when sound comes back on. Kept
// while no mixer is open and applied when one is.
void SetSoundOn(bool on);
bool IsSoundOn();

// Frees every sound and empties the table; called before the mixer closes.
void ClearSounds(SoundTable& table);
