// Writes the game's sound effects and their list file "Data/sounds.dat".
//
//   kv_soundgen OUTDIR
//
// The line number of a sound in the list is its id in the game.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assetkit/FileOutput.h"
#include "assetkit/WavWriter.h"
#include "sounds/SoundSynth.h"

namespace {

struct SoundEntry {
  const char* file;                 // file name inside Data/
  std::vector<float> (*synth)();    // makes the samples
};

// In sound id order.
const SoundEntry kSounds[] = {
    {"click.wav", SynthClick},           // 0
    {"explosion.wav", SynthExplosion},   // 1
    {"shot_green.wav", SynthGreenShot},  // 2
    {"shot_blue.wav", SynthBlueShot},    // 3
    {"engine.wav", SynthEngineLoop},     // 4
    {"victory.wav", SynthVictory},       // 5
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  std::filesystem::path dataDir;
  if (!MakeDataFolder(argv[1], dataDir)) return 1;
  std::string list;
  for (const SoundEntry& entry : kSounds) {
    if (!WriteWav((dataDir / entry.file).string(), entry.synth())) return 1;
    list += std::string("Data/") + entry.file + "\n";
  }
  return WriteFileText((dataDir / "sounds.dat").string(), list) ? 0 : 1;
}
