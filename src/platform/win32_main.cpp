// The graphical entry point: reads the command line, remembers what Windows hands over and runs
// the shared program.
#include <cstdlib>
#include <string>

#include "app/demo_run.h"
#include "app/main_loop.h"
#include "cli/drav_options.h"
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    DravOptions options;
    const CommandLineOutcome outcome = ParseDravOptions(__argc, __argv, options);
    if (!outcome.run) {
        ShowCommandLineText(outcome.text, outcome.exitStatus != 0);
        return outcome.exitStatus;
    }
    ProgramInstance = instance;
    ProgramShowState = showState;
    return RunDrav(options);
}
