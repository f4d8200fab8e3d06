// Asking the running application to close, within a bound.
#include "application.h"

#include "message.h"
#include "switches.h"

namespace {
const DWORD CloseTimeout = 10000;
const DWORD ClosePoll = 50;

// Sends WM_CLOSE to each window of the class in turn until none is left, or the time is up.
bool CloseWindowsOfClass(const char* className)
{
    const DWORD start = GetTickCount();
    for (HWND window = FindWindowA(className, 0); window; window = FindWindowA(className, 0)) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= CloseTimeout)
            return false;
        DWORD_PTR ignored;
        SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, CloseTimeout - spent, &ignored);
        // A window that takes its time to go is asked again after a short pause, not in a busy loop.
        if (IsWindow(window))
            Sleep(ClosePoll);
    }
    return true;
}
}

bool CloseRunningApplication(const char* className, UINT questionId, UINT captionId)
{
    if (!FindWindowA(className, 0))
        return true;
    // Unattended, there is nobody to ask, and the application is not closed without asking.
    if (Unattended)
        return false;
    if (MessageBoxByIds(0, questionId, captionId, MB_YESNO | MB_ICONHAND) != IDYES)
        return false;
    return CloseWindowsOfClass(className);
}
