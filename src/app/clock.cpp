#include "app/clock.h"

#include "app/platform.h"

double ClockTicksPerMillisecond = 0.0;
double ClockStartCount = 0.0;

double ReadClock() {
    if (ClockTicksPerMillisecond == 0.0) {
        ClockTicksPerMillisecond = static_cast<double>(PlatformCounterFrequency()) * 0.001;
        ClockStartCount = static_cast<double>(PlatformCounter());
    }
    // A zero frequency leaves the clock unstarted; dividing by it would give infinities or
    // NaN, and an infinite lag would make the tick loop run forever.
    if (ClockTicksPerMillisecond == 0.0) {
        return 0.0;
    }
    return (static_cast<double>(PlatformCounter()) - ClockStartCount) / ClockTicksPerMillisecond;
}
