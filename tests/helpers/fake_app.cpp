// Stands in for the running application: a window of its class that closes when asked, or, with
// "stubborn", one that ignores the request.
#include <windows.h>

#include <string.h>

namespace {
bool Stubborn;

LRESULT CALLBACK AppWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (Stubborn)
            return 0;
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    Stubborn = strstr(commandLine, "stubborn") != 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = AppWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TTiktonForm";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "TTiktonForm", "Tikton", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, 0, 0, instance, 0);
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
