// The entry of the SDL2 program: reads the command line and runs the shared demo.
#include "app/main_loop.h"
#include "app/platform/sdl2.h"
#include "cli/demo_options.h"

int main(int argc, char** argv) {
    DemoOptions options;
    const int exitStatus = ReportCommandLine(ParseDemoOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    DemoSettings settings;
    settings.present = options.present;
    return RunDemo(settings);
}
