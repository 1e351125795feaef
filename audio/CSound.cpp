#include "audio/CSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

CSound::~CSound() {
  if (m_Chunk) Mix_FreeChunk(m_Chunk);
}

Mix_Chunk* CSound::Load(const char* path) {
  if (m_Chunk) Mix_FreeChunk(m_Chunk);
  m_Chunk = nullptr;
  // Without an open mixer nothing can be decoded: the sound stays silent.
  if (!Mix_QuerySpec(nullptr, nullptr, nullptr)) return nullptr;
  SDL_RWops* file = SDL_RWFromFile(path, "rb");
  if (file) m_Chunk = Mix_LoadWAV_RW(file, 1);
  return m_Chunk;
}

int CSound::Play(bool loop) {
  if (!m_Chunk) return -1;
  return Mix_PlayChannelTimed(-1, m_Chunk, loop ? -1 : 0, -1);
}
