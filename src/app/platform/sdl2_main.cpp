// The entry of the SDL2 program: reads the command line and runs the shared demo, with a
// demo file to record or play when one is given.
#include "app/demo_run.h"
#include "app/platform/sdl2.h"
#include "cli/demo_options.h"

int main(int argc, char** argv) {
    DemoOptions options;
    const int exitStatus = ReportCommandLine(ParseDemoOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    return RunDemoSession(options);
}
