// Process-wide Win32 objects behind the platform seam. The entry point fills in the first two;
// PlatformOpenWindow and PlatformCreateFrameBuffer make the rest, which live until the process
// ends and are never released.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Given to WinMain: the instance goes into the window class and the window, the show state to
// ShowWindow.
extern HINSTANCE ProgramInstance;
extern int ProgramShowState;

extern HWND Window;
// The window's device context, held for the whole run: where every frame is stretched to.
extern HDC WindowContext;
// Holds the frame bitmap, so a stretch from it reads the FrameBuffer.
extern HDC MemoryContext;
extern HBITMAP FrameBitmap;

// Turns the destruction of the window into the quit message and F11 or Alt+Enter into a
// switch to or from fullscreen; everything else, and WM_DESTROY too, gets the default
// treatment.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Between the fixed-size window and a borderless window over the whole monitor, which shows
// the frame at the largest whole factor that fits, centred on black.
void ToggleFullscreen();
