#pragma once

// Seconds since the program started, on a clock that never goes back: the
// pulses of the selected tank and of its roster label follow it, so both
// beat together.
double SecondsSinceProgramStart();

// Holds the clock at a reading, so that a pulsing picture can be drawn twice
// alike; a negative reading lets it run again.
void HoldProgramClock(double seconds);
