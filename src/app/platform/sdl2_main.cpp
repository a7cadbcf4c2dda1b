// The entry of the SDL2 program: runs the shared demo.
#include "app/main_loop.h"
#include "app/platform/sdl2.h"

int main(int, char**) {
    return RunDemo();
}
