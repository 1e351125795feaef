#pragma once

struct Mix_Chunk;

// One sound effect, decoded into memory once and played on any free channel.
class CSound {
 public:
  CSound() = default;
  ~CSound();
  CSound(const CSound&) = delete;
  CSound& operator=(const CSound&) = delete;

  // Loads the file; returns the chunk, or null when it did not load (the
  // sound then stays silent).
  Mix_Chunk* Load(const char* path);
  // Plays the sound once, or endlessly when loop is set; returns the mixer
  // channel, or -1 when nothing plays (no chunk, no free channel).
  int Play(bool loop);

 private:
  Mix_Chunk* m_Chunk = nullptr;  // the decoded sound; owned, null when not loaded
};
