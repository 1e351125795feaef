#include "sounds/SoundSynth.h"

#include <algorithm>
#include <cmath>

#include "assetkit/CPrng.h"
#include "assetkit/WavWriter.h"

namespace {

constexpr float kTwoPi = 6.28318530717959f;
constexpr float kRate = static_cast<float>(kSampleRate);

std::size_t Samples(float seconds) { return static_cast<std::size_t>(seconds * kRate); }
float Time(std::size_t i) { return static_cast<float>(i) / kRate; }

// One-pole low-pass filter; the cutoff may change from sample to sample.
class LowPass {
 public:
  float Run(float in, float cutoffHz) {
    const float k = 1.0f - std::exp(-kTwoPi * cutoffHz / kRate);
    m_value += k * (in - m_value);
    return m_value;
  }

 private:
  float m_value = 0.0f;  // the filter's memory
};

// A sine whose frequency may change from sample to sample.
class Oscillator {
 public:
  float Run(float hz) {
    const float out = std::sin(m_phase);
    m_phase = std::fmod(m_phase + kTwoPi * hz / kRate, kTwoPi);
    return out;
  }

 private:
  float m_phase = 0.0f;  // radians
};

// Exponential slide from `from` to `to` over `seconds`, then holding `to`.
float Slide(float t, float from, float to, float seconds) {
  const float u = std::min(t / seconds, 1.0f);
  return from * std::pow(to / from, u);
}

// Scales to the given peak and fades the ends in and out so the sound starts
// and stops at silence.
void Finish(std::vector<float>& s, float peak, float fadeIn, float fadeOut) {
  float most = 0.0f;
  for (float v : s) most = std::max(most, std::fabs(v));
  if (most > 0.0f) {
    for (float& v : s) v *= peak / most;
  }
  const std::size_t in = std::min(Samples(fadeIn), s.size()), out = std::min(Samples(fadeOut), s.size());
  for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
  for (std::size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

}  // namespace

std::vector<float> SynthClick() {
  CPrng rng(0xC11C);
  std::vector<float> s(Samples(0.03f));
  Oscillator tone;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const float t = Time(i);
    s[i] = tone.Run(2400.0f) * std::exp(-t / 0.004f) + 0.35f * rng.NextSigned() * std::exp(-t / 0.0015f);
  }
  Finish(s, 0.5f, 0.0005f, 0.005f);
  return s;
}

std::vector<float> SynthExplosion() {
  CPrng rng(0xB00F);
  std::vector<float> s(Samples(1.1f));
  LowPass rumbleA, rumbleB, debris;
  Oscillator thump;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const float t = Time(i);
    const float noise = rng.NextSigned();
    // Roar: noise through a falling cut-off, two filters deep.
    const float cutoff = Slide(t, 3500.0f, 180.0f, 0.9f);
    const float roar = rumbleB.Run(rumbleA.Run(noise, cutoff), cutoff) * std::exp(-t / 0.3f) * 2.2f;
    // The blast itself: a low sine dropping in pitch.
    const float boom = thump.Run(Slide(t, 95.0f, 32.0f, 0.5f)) * std::exp(-t / 0.22f) * 0.9f;
    // Crackle of debris: sparse bright pops in the first part.
    float crackle = 0.0f;
    if (t < 0.5f && rng.NextFloat() < 0.004f) crackle = rng.NextSigned() * (1.0f - t / 0.5f);
    s[i] = roar + boom + debris.Run(crackle * 1.5f, 2500.0f);
  }
  Finish(s, 0.9f, 0.002f, 0.05f);
  return s;
}

std::vector<float> SynthGreenShot() {
  CPrng rng(0x6A3E);
  std::vector<float> s(Samples(0.45f));
  LowPass bodyA, bodyB;
  Oscillator thump;
  float lastNoise = 0.0f;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const float t = Time(i);
    const float noise = rng.NextSigned();
    const float cutoff = Slide(t, 1800.0f, 260.0f, 0.3f);
    const float body = bodyB.Run(bodyA.Run(noise, cutoff), cutoff) * std::exp(-t / 0.1f) * 2.0f;
    const float boom = thump.Run(Slide(t, 120.0f, 45.0f, 0.25f)) * std::exp(-t / 0.12f);
    const float crack = (noise - lastNoise) * std::exp(-t / 0.006f) * 0.25f;  // bright edge of the report
    lastNoise = noise;
    s[i] = body + boom + crack;
  }
  Finish(s, 0.85f, 0.0005f, 0.04f);
  return s;
}

std::vector<float> SynthBlueShot() {
  CPrng rng(0xB1E5);
  std::vector<float> s(Samples(0.35f));
  LowPass hiss;
  Oscillator zap, ring, ring2;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const float t = Time(i);
    // A bright tone sweeping down fast, clipped soft for a buzzing edge.
    const float sweep = std::tanh(3.0f * zap.Run(Slide(t, 900.0f, 150.0f, 0.18f))) * std::exp(-t / 0.07f) * 0.7f;
    // Metallic ring of the barrel.
    const float metal = (ring.Run(1730.0f) + 0.6f * ring2.Run(2390.0f)) * std::exp(-t / 0.035f) * 0.35f;
    const float noise = hiss.Run(rng.NextSigned(), Slide(t, 6000.0f, 900.0f, 0.2f)) * std::exp(-t / 0.05f) * 1.4f;
    s[i] = sweep + metal + noise;
  }
  Finish(s, 0.8f, 0.0005f, 0.04f);
  return s;
}

std::vector<float> SynthEngineLoop() {
  // Half a second: 28 Hz firing strokes (14 whole cycles), a 4 Hz swell (2
  // cycles) and noise filtered round the loop, so the end meets the start.
  const std::size_t n = Samples(0.5f);
  CPrng rng(0xE261);
  std::vector<float> noise(n);
  for (float& v : noise) v = rng.NextSigned();
  // Filter the noise twice round the loop; the second lap starts from the end
  // of the first, so the filtered noise is itself a seamless loop.
  std::vector<float> rumble(n);
  LowPass lpA, lpB;
  for (int lap = 0; lap < 2; ++lap) {
    for (std::size_t i = 0; i < n; ++i) rumble[i] = lpB.Run(lpA.Run(noise[i], 300.0f), 300.0f);
  }
  float phases[12];
  for (float& p : phases) p = rng.NextFloat() * kTwoPi;

  std::vector<float> s(n);
  for (std::size_t i = 0; i < n; ++i) {
    const float t = Time(i);
    float tone = 0.0f;
    for (int k = 1; k <= 12; ++k) {
      tone += std::sin(kTwoPi * 28.0f * static_cast<float>(k) * t + phases[k - 1]) / std::pow(static_cast<float>(k), 0.9f);
    }
    const float stroke = 0.6f + 0.4f * std::sin(kTwoPi * 28.0f * t);  // each firing stroke lifts the rumble
    const float swell = 0.85f + 0.15f * std::sin(kTwoPi * 4.0f * t);
    s[i] = (0.55f * tone + 2.5f * rumble[i] * stroke) * swell;
  }
  float most = 0.0f;
  for (float v : s) most = std::max(most, std::fabs(v));
  for (float& v : s) v *= 0.55f / most;  // no fades: the loop has no ends
  return s;
}

std::vector<float> SynthVictory() {
  struct Note {
    float start, length, hz;
  };
  // G4 C5 E5 G5, then a held C major chord topped by C6.
  const Note notes[] = {{0.00f, 0.14f, 392.00f}, {0.13f, 0.14f, 523.25f}, {0.26f, 0.14f, 659.26f},
                        {0.39f, 0.22f, 783.99f}, {0.60f, 0.70f, 523.25f}, {0.60f, 0.70f, 659.26f},
                        {0.60f, 0.70f, 783.99f}, {0.60f, 0.70f, 1046.50f}};
  std::vector<float> s(Samples(1.4f), 0.0f);
  for (const Note& note : notes) {
    const std::size_t first = Samples(note.start);
    const std::size_t count = std::min(Samples(note.length), s.size() - first);
    for (std::size_t i = 0; i < count; ++i) {
      const float t = Time(i);
      const float vibrato = note.length > 0.5f ? 1.0f + 0.004f * std::sin(kTwoPi * 5.5f * t) : 1.0f;
      const float phase = kTwoPi * note.hz * vibrato * t;
      // A bright, brassy tone: odd and even harmonics falling off.
      const float tone = std::sin(phase) + 0.45f * std::sin(2.0f * phase) + 0.3f * std::sin(3.0f * phase) +
                         0.15f * std::sin(5.0f * phase);
      const float attack = std::min(t / 0.008f, 1.0f);
      const float release = std::min((note.length - t) / 0.05f, 1.0f);
      const float decay = 0.65f + 0.35f * std::exp(-t / 0.06f);
      s[first + i] += tone * attack * release * decay;
    }
  }
  Finish(s, 0.8f, 0.001f, 0.02f);
  return s;
}
