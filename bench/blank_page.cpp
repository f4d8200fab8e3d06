// The floor under a first wizard page: a program that shows one window holding the welcome page's
// opening words and does nothing else, timed from its start like the installers.
#include <windows.h>

#include "welcome.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", "", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 500, 300, 0, 0, instance, 0);
    CreateWindowExA(0, "Static", WelcomeOpening, WS_CHILD | WS_VISIBLE, 10, 10, 480, 40, window, 0, instance, 0);
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
