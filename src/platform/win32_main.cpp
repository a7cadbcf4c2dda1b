// The graphical entry point: reads the command line, remembers what Windows hands over and runs
// the shared program.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/demo_run.h"
#include "app/main_loop.h"
#include "cli/drav_options.h"
#include "cli/option_values.h"
#include "cli/settings_file.h"
#include "platform/key_names.h"
#include "platform/win32.h"

namespace {

bool WriteAll(HANDLE handle, const std::string& text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// A graphical program has no console of its own. The text goes to the standard handle it was
// started with when there is one (a pipe, a file, or the terminal Wine runs in), else to the
// console of the program that started it, else into a message box.
void ShowCommandLineText(const std::string& text, bool error) {
    if (WriteAll(GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) {
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        const bool written = WriteAll(console, text);
        if (console != INVALID_HANDLE_VALUE) {
            CloseHandle(console);
        }
        if (written) {
            return;
        }
    }
    MessageBoxA(nullptr, text.c_str(), "DRAV", MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool WindowsKnowsKeyName(const std::string& name) {
    return VirtualKeyFromName(name) != 0;
}

// The command line, then the settings file under it. False after showing why the program
// exits, with the status in exitStatus; warnings go to the standard error alone.
bool ReadOptions(DravOptions& options, int& exitStatus) {
    KnownKeyName = WindowsKnowsKeyName;
    CommandLineOutcome outcome = ParseDravOptions(__argc, __argv, options);
    if (outcome.run) {
        outcome = ApplySettingsFile(options);
    }
    if (outcome.run) {
        std::fputs(outcome.text.c_str(), stderr);
        return true;
    }
    ShowCommandLineText(outcome.text, outcome.exitStatus != 0);
    exitStatus = outcome.exitStatus;
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    DravOptions options;
    int exitStatus = 0;
    if (!ReadOptions(options, exitStatus)) {
        return exitStatus;
    }
    ProgramInstance = instance;
    ProgramShowState = showState;
    const int status = RunDrav(options);
    int width = 0;
    int height = 0;
    if (options.present.display.resizable && PlatformWindowSize(width, height))
        KeepWindowSize(options, width, height);
    return status;
}
