// The entry of the SDL2 program: reads the command line and the settings file and runs the shared
// program, with a demo file to record or play when one is given.
#include "app/demo_run.h"
#include "app/platform.h"
#include "cli/drav_options.h"
#include "cli/option_values.h"
#include "cli/settings_file.h"
#include "platform/sdl2.h"

int main(int argc, char** argv) {
    KnownKeyName = SdlKnowsKeyName;
    DravOptions options;
    int exitStatus = ReportCommandLine(ParseDravOptions(argc, argv, options));
    if (exitStatus < 0) {
        exitStatus = ReportCommandLine(ApplySettingsFile(options));
    }
    if (exitStatus >= 0) {
        return exitStatus;
    }
    const int status = RunDrav(options);
    int width = 0;
    int height = 0;
    if (options.present.display.resizable && PlatformWindowSize(width, height)) {
        KeepWindowSize(options, width, height);
    }
    return status;
}
