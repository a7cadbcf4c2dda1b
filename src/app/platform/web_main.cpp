// Entry of the browser build. A page must hand control back to the browser between frames,
// so after the shared start-up the main loop runs one iteration per animation frame instead
// of looping by itself.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/main_loop.h"
#include "cli/demo_options.h"

namespace {

MainLoop Loop;
Scene* DemoScene = nullptr;

void RunAnimationFrame() {
    RunMainLoopIteration(Loop, *DemoScene);
}

} // namespace

int main() {
    // The page address stands for the command line: drav.html?scale=2 is drav --scale 2.
    const std::vector<std::string> arguments =
        QueryArguments(emscripten_run_script_string("window.location.search"));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    DemoOptions options;
    const int exitStatus =
        ReportCommandLine(ParseDemoOptions(static_cast<int>(argv.size()), argv.data(), options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    DemoScene = StartDemo();
    if (DemoScene == nullptr) {
        return 1;
    }
    Loop = StartMainLoop();
    // A rate of 0 follows requestAnimationFrame. main returns at once and the runtime stays
    // alive for the callbacks, since a page is left only by closing it.
    emscripten_set_main_loop(RunAnimationFrame, 0, EM_FALSE);
    return 0;
}
