// Entry of the browser build. A page must hand control back to the browser between frames,
// so after the shared start-up the main loop runs one iteration per animation frame instead
// of looping by itself. The page passes "?play=DEMO" or "?record=DEMO" in its address as
// "--play DEMO" or "--record DEMO" (a file of the page's in-memory file system).
#include <cstdio>
#include <emscripten/emscripten.h>

#include "app/demo_run.h"
#include "app/demo_session.h"
#include "app/main_loop.h"

namespace {

MainLoop Loop;
Scene* DemoScene = nullptr;

// Tells the page how a played demo ended, as Module.dravDemoStatus.
void PublishDemoStatus(int status) {
    EM_ASM({ Module.dravDemoStatus = $0; }, status);
}

void RunAnimationFrame() {
    RunMainLoopIteration(Loop, *DemoScene);
    // Only a played demo's end clears Running here: a page is left only by closing it.
    if (!Running) {
        emscripten_cancel_main_loop();
        PublishDemoStatus(EndDemoSession(*DemoScene));
    }
}

} // namespace

// Ends the session at the next animation frame, as closing the window ends drav's: a
// recording is closed and given its name, and Module.dravDemoStatus is set.
extern "C" EMSCRIPTEN_KEEPALIVE void EndDemo() {
    Running = 0;
}

int main(int argc, char** argv) {
    DemoOptions options;
    if (!ParseDemoOptions(argc, argv, options)) {
        std::fputs(DemoUsage, stderr);
        PublishDemoStatus(DemoExitUnplayable);
        return DemoExitUnplayable;
    }
    if (!PrepareDemoSession(options)) {
        PublishDemoStatus(DemoExitUnplayable);
        return DemoExitUnplayable;
    }
    DemoScene = StartDemo();
    if (DemoScene == nullptr) {
        return 1;
    }
    BeginDemoSession(*DemoScene);
    Loop = StartMainLoop();
    // A rate of 0 follows requestAnimationFrame. main returns at once and the runtime stays
    // alive for the callbacks.
    emscripten_set_main_loop(RunAnimationFrame, 0, EM_FALSE);
    return 0;
}
