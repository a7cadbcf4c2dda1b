#include "app/frame_pacing.h"

#include "app/clock.h"
#include "app/platform.h"

FramePacing StartFramePacing(int framesPerSecond, double now) {
    FramePacing pacing{};
    if (framesPerSecond > 0) {
        pacing.period = 1000.0 / framesPerSecond;
    }
    pacing.nextFrame = now;
    return pacing;
}

void WaitForNextFrame(FramePacing& pacing) {
    // A clock that cannot start stands still, and waiting for it would never end.
    if (pacing.period == 0.0 || ClockTicksPerMillisecond == 0.0) {
        return;
    }
    pacing.nextFrame += pacing.period;
    double now = ReadClock();
    if (now - pacing.nextFrame > pacing.period) {
        pacing.nextFrame = now;
        return;
    }
    // A sleep may end early (a signal, a coarse timer), so the clock decides when to stop.
    while (now < pacing.nextFrame) {
        PlatformSleep(pacing.nextFrame - now);
        now = ReadClock();
    }
}
