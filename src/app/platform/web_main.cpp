// Entry of the browser build. A page must hand control back to the browser between frames,
// so after the shared start-up the main loop runs one iteration per animation frame instead
// of looping by itself.
#include <emscripten/emscripten.h>

#include "app/main_loop.h"

namespace {

MainLoop Loop;
Scene* DemoScene = nullptr;

void RunAnimationFrame() {
    RunMainLoopIteration(Loop, *DemoScene);
}

} // namespace

int main() {
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
