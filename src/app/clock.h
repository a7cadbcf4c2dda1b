// The millisecond clock: double milliseconds since its first reading, from the platform's
// high-resolution counter.
#pragma once

// The clock's two values; both 0.0 until the first reading starts the clock.
extern double ClockTicksPerMillisecond;
extern double ClockStartCount;

// Milliseconds since the first reading. While the counter reports a frequency of 0 the clock
// cannot start: every reading tries again and returns 0.0, so simulated time stands still.
double ReadClock();
