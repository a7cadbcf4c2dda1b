// Reports the running demo's window as the window system sees it, for the end-to-end test:
// one line "<client width> <client height> <client left on screen> <client top on screen>".
// Exits with 1 when there is no such window.
#include <windows.h>

#include <cstdio>

int main() {
    HWND window = FindWindowA("DRAVWINCLASS", nullptr);
    RECT client;
    POINT origin = {0, 0};
    if (window == nullptr || !GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld\n", client.right - client.left, client.bottom - client.top,
                origin.x, origin.y);
    return 0;
}
