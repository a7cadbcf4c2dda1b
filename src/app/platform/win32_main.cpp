// The graphical entry point: remembers what Windows hands over and runs the shared demo.
#include <cstdio>
#include <cstdlib>

#include "app/demo_run.h"
#include "app/demo_session.h"
#include "app/main_loop.h"
#include "app/platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    ProgramInstance = instance;
    ProgramShowState = showState;
    DemoOptions options;
    if (!ParseDemoOptions(__argc, __argv, options)) {
        std::fputs(DemoUsage, stderr);
        return DemoExitUnplayable;
    }
    return RunDemoSession(options);
}
