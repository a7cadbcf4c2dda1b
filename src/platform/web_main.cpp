// Entry of the browser build. A page must hand control back to the browser between frames,
// so after the shared start-up the main loop runs one iteration per animation frame instead
// of looping by itself.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "app/demo_run.h"
#include "app/main_loop.h"
#include "cli/drav_options.h"
#include "cli/option_values.h"
#include "demo/demo_session.h"
#include "platform/browser_keys.h"

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

// A page runs on the display's animation frames, which wait for its refresh, or on timers at a
// frame-rate cap; it cannot do both. Returns false after a message on stderr.
bool CheckDisplayOptions(const PresentOptions& present) {
    if (present.display.vsync && present.framesPerSecondCap != 0) {
        std::fputs("drav: --vsync and --fps-cap exclude each other in the page: frames follow the "
                   "display's refresh, or a timer at the cap\n",
                   stderr);
        return false;
    }
    return true;
}

// A page may only go fullscreen in answer to a tap, click or key, so ?fullscreen asks the
// page to do so at the first one.
void AskForFullscreen() {
    EM_ASM({ Module.dravAskForFullscreen(); });
}

} // namespace

// Ends the session at the next animation frame, as closing the window ends drav's: a
// recording (?record=NAME, a file of the page's in-memory file system) is closed and named.
extern "C" EMSCRIPTEN_KEEPALIVE void EndProgram() {
    Running = 0;
}

namespace {

// The page's settings, kept in its local storage as a query; empty when there are none or the
// storage cannot be read.
std::string StoredSettings() {
    return emscripten_run_script_string(
        "(function () { try { return localStorage.getItem('drav.settings') || ''; } "
        "catch (e) { return ''; } })()");
}

// ?write-config keeps the settings the page runs with in its local storage.
int WriteSettings(const std::string& query) {
    const std::string settings = SettingsOfQuery(query);
    const bool stored = EM_ASM_INT(
        {
            try {
                localStorage.setItem('drav.settings', UTF8ToString($0));
                return 1;
            } catch (e) {
                return 0;
            }
        },
        settings.c_str());
    std::printf(stored ? "drav: kept the settings '%s' in the page's storage\n"
                       : "drav: cannot keep the settings '%s': the page's storage refuses\n",
                settings.c_str());
    return stored ? 0 : ExitBadArguments;
}

} // namespace

int main() {
    // The page address stands for the command line: drav.html?scale=2 is drav --scale 2, and
    // ?play=walk.dem plays the shipped demo. The address wins over the page's settings.
    KnownKeyName = BrowserKnowsKeyName;
    const std::string query =
        QueryOverSettings(StoredSettings(), emscripten_run_script_string("window.location.search"));
    DravOptions options;
    const int exitStatus = ReportCommandLine(ParsePageOptions(QueryArguments(query), options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    if (options.writeConfig) {
        return WriteSettings(query);
    }
    if (!CheckDisplayOptions(options.present)) {
        return ExitBadArguments;
    }
    if (options.present.display.fullscreen) {
        AskForFullscreen();
    }
    if (!PrepareDemoSession(options)) {
        PublishDemoStatus(DemoExitUnplayable);
        return DemoExitUnplayable;
    }
    // Without a threaded build the renderer draws on this thread, whatever threads says. The
    // animation frames follow the display's refresh with or without ?vsync.
    DemoScene = StartWindowProgram(WindowSettings{options.frame.scale, options.frame.threads});
    if (DemoScene == nullptr) {
        return 1;
    }
    BeginDemoSession(*DemoScene);
    Loop = StartMainLoop();
    Loop.smooth = options.present.smooth;
    // A rate of 0 follows requestAnimationFrame; a frame-rate cap (?fps-cap=N) runs the
    // iterations on timers at that rate instead. main returns at once and the runtime stays
    // alive for the callbacks.
    emscripten_set_main_loop(RunAnimationFrame, options.present.framesPerSecondCap, EM_FALSE);
    return 0;
}
