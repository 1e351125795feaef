#include "screen/CSoundCues.h"

#include "audio/SoundTable.h"

namespace {

constexpr int kEngineFadeMs = 500;

}  // namespace

void CSoundCues::Absorb(const std::vector<MatchEvent>& events) {
  for (const MatchEvent& event : events) {
    switch (event.m_kind) {
      case MatchEvent::Kind::Moved: StartEngines(); break;
      case MatchEvent::Kind::Shot: PlaySound(event.m_team == 0 ? kSoundGreenShot : kSoundBlueShot); break;
      case MatchEvent::Kind::Hit:
        if (event.m_destroyed) PlaySound(kSoundTankDestroyed);
        break;
      case MatchEvent::Kind::TurnEnded:
      case MatchEvent::Kind::Stopped: StopEngines(); break;
      case MatchEvent::Kind::Won: PlaySound(kSoundVictory); break;
      default: break;
    }
  }
}

void CSoundCues::StartEngines() {
  if (m_enginesPlaying) return;
  m_enginesPlaying = true;
  CSound* engine = GetSound(GetSounds(), kSoundEngine);
  m_engineChannel = engine ? engine->Play(true) : -1;
}

void CSoundCues::StopEngines() {
  if (!m_enginesPlaying) return;
  m_enginesPlaying = false;
  // Channel -1 would fade every channel: when the engine sound got none (no
  // sound file, no free channel) there is nothing to fade.
  if (m_engineChannel >= 0) FadeOutChannel(m_engineChannel, kEngineFadeMs);
  m_engineChannel = -1;
}
