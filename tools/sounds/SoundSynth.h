#pragma once

#include <vector>

// The game's sound effects, synthesised from sine waves and filtered noise of
// our own generator: mono samples in [-1, 1] at kSampleRate (WavWriter.h).
// The same call always gives the same samples.

std::vector<float> SynthClick();         // id 0: a short interface click
std::vector<float> SynthExplosion();     // id 1: a tank blows up
std::vector<float> SynthGreenShot();     // id 2: a deep cannon boom
std::vector<float> SynthBlueShot();      // id 3: a sharper, higher, ringing shot
// id 4: an engine hum whose last sample leads smoothly into its first, so the
// game can loop it without a click. Every part of it repeats a whole number
// of times in the loop.
std::vector<float> SynthEngineLoop();
std::vector<float> SynthVictory();       // id 5: a rising fanfare
