#pragma once

// Seconds since the program started, on a clock that never goes back: the
// pulses of the selected tank and of its roster label follow it, so both
// beat together.
double SecondsSinceProgramStart();
