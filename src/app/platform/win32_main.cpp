// The graphical entry point: remembers what Windows hands over and runs the shared demo.
#include "app/main_loop.h"
#include "app/platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    ProgramInstance = instance;
    ProgramShowState = showState;
    return RunDemo();
}
