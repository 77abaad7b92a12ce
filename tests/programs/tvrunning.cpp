/* Stand-in for a running dialer in the uninstaller tests: a top-level
 * window with the login window's caption "PalvexCard Tovanet". It closes on
 * WM_CLOSE, or with "-ignoreclose" on its command line it ignores every
 * close request. It ends by itself after a minute so that no test leaves it
 * behind. */
#include <windows.h>
#include <string.h>

static bool g_ignoreClose;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (!g_ignoreClose)
            DestroyWindow(window);
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_ignoreClose = commandLine && strstr(commandLine, "-ignoreclose") != NULL;
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TvRunningDialer";
    if (!RegisterClassA(&wc))
        return 1;
    HWND window = CreateWindowA("TvRunningDialer", "PalvexCard Tovanet", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 240, 120, NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    SetTimer(window, 1, 60000, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
