// A running application that will not close: a window of the application's class that ignores
// WM_CLOSE, for the bound on setup's wait.
#include <windows.h>

namespace {
LRESULT CALLBACK StubbornWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StubbornWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TTiktonForm";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "TTiktonForm", "Tikton", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, 0, 0, instance, 0);
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
