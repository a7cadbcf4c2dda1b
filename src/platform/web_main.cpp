// Entry of the browser build. A page must hand control back to the browser between frames,
// so after the shared start-up the main loop runs one iteration per animation frame instead
// of looping by itself.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/demo_run.h"
#include "app/main_loop.h"
#include "cli/drav_options.h"
#include "demo/demo_session.h"

namespace {

MainLoop Loop;
Scene* DemoScene = nullptr;

// Tells the page how a played or recorded demo ended, as Module.dravDemoStatus.
void PublishDemoStatus(int status) {
    EM_ASM({ Module.dravDemoStatus = $0; }, status);
}

void RunAnimationFrame() {
    RunMainLoopIteration(Loop, *DemoScene);
    // Only a demo's end clears Running here: a page is left only by closing it.
    if (!Running) {
        emscripten_cancel_main_loop();
        PublishDemoStatus(EndDemoSession(*DemoScene));
    }
}

} // namespace

// Ends the session at the next animation frame, as closing the window ends drav's: a
// recording (?record=NAME, a file of the page's in-memory file system) is closed and named.
extern "C" EMSCRIPTEN_KEEPALIVE void EndProgram() {
    Running = 0;
}

int main() {
    // The page address stands for the command line: drav.html?scale=2 is drav --scale 2, and
    // ?play=walk.dem plays the shipped demo.
    const std::vector<std::string> arguments =
        QueryArguments(emscripten_run_script_string("window.location.search"));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    DravOptions options;
    const int exitStatus =
        ReportCommandLine(ParseDravOptions(static_cast<int>(argv.size()), argv.data(), options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    if (!PrepareDemoSession(options)) {
        PublishDemoStatus(DemoExitUnplayable);
        return DemoExitUnplayable;
    }
    // Without a threaded build the renderer draws on this thread, whatever threads says. A
    // page can only go fullscreen on a key press or a click (F11 or Alt+Enter), and the
    // animation frames already follow the display, so of the display options none applies.
    DemoScene = StartWindowProgram(WindowSettings{options.frame.scale, options.frame.threads});
    if (DemoScene == nullptr) {
        return 1;
    }
    BeginDemoSession(*DemoScene);
    Loop = StartMainLoop();
    // A rate of 0 follows requestAnimationFrame; a frame-rate cap (?fps-cap=N) runs the
    // iterations on timers at that rate instead. main returns at once and the runtime stays
    // alive for the callbacks.
    emscripten_set_main_loop(RunAnimationFrame, options.present.framesPerSecondCap, EM_FALSE);
    return 0;
}
