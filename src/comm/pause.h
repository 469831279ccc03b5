#pragma once

// Every fixed pause between frames goes through here, so tests can shorten
// them all at once. Timers are not affected.

namespace DirazSensorPlugin {
namespace Core {

// Blocks the calling thread for ms milliseconds times the scale.
void pauseMs(int ms);
// 1.0 gives the real pauses; 0 makes them return at once. Negative is 0.
void setPauseScale(double scale);
double pauseScale();
// A duration in milliseconds after scaling (rounded, at least 0).
int scaledMs(int ms);
// Milliseconds slept by pauseMs since the program started (benchmarks
// compare a transfer's wall time with it).
long long pausedMsTotal();

} // namespace Core
} // namespace DirazSensorPlugin
