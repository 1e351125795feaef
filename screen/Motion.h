#pragma once

// How the picture moves while no input comes: not at all, only the pulse
// of the selected tank (and the marks that run out on the clock), or with
// every tick (a turn runs, effects fade).
enum class Motion { Still, Pulse, Moving };
