#pragma once
// A wait that keeps the program alive: the windows repaint, timers fire and
// work handed over from other threads (streamed frames) runs, but no user
// input is taken, so a running procedure cannot be interrupted by a click.

// Returns after ms milliseconds of the system's monotonic clock.
void responsiveWait(int ms);
