// An optional cap on the frames per second: after a frame the loop waits, through the
// platform's sleep, until the next frame is due. The simulation does not notice: ticks still
// follow the clock, so a capped run renders the same pixels at a given tick.
#pragma once

// Frame starts are spaced by a fixed period from a running deadline, so a sleep that ends a
// little late delays only its own frame and the average rate stays at the cap.
struct FramePacing {
    double period;    // milliseconds from one frame to the next; 0.0 leaves the loop uncapped
    double nextFrame; // clock reading at which the next frame is due
};

// A cap of framesPerSecond starting from the clock reading now; 0 (or less) means no cap.
FramePacing StartFramePacing(int framesPerSecond, double now);

// Waits until the next frame is due and moves the deadline one period on. A loop that has
// fallen more than a whole period behind starts a fresh schedule from now instead of
// presenting a burst of frames to catch up.
void WaitForNextFrame(FramePacing& pacing);
