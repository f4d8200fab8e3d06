// Message boxes built from the installer's string table: the text and caption shown, and the answer
// returned unchanged. A second thread reads each box and presses one of its buttons.
#include <windows.h>

#include "check.h"
#include "driver.h"
#include "message.h"
#include "resource.h"
#include "texts.h"

namespace {
struct TAnswer {
    int button;
    char text[1024];
    char caption[128];
    bool seen;
};

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI Answer(void* parameter)
{
    TAnswer* answer = static_cast<TAnswer*>(parameter);
    // The box belongs to the main thread; poll for it with a bound rather than a fixed sleep.
    for (int tries = 0; tries < 1000 && !answer->seen; ++tries) {
        HWND box = 0;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (box) {
            GetWindowTextA(box, answer->caption, sizeof answer->caption);
            GetDlgItemTextA(box, driver::MessageBoxTextId, answer->text, sizeof answer->text);
            answer->seen = true;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer->button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer->button)));
        } else {
            Sleep(10);
        }
    }
    return 0;
}

int Show(UINT textId, UINT flags, int button, TAnswer& answer)
{
    ZeroMemory(&answer, sizeof answer);
    answer.button = button;
    HANDLE thread = CreateThread(0, 0, Answer, &answer, 0, 0);
    int result = MessageBoxByIds(0, textId, IDS_SETUP_CAPTION, flags);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return result;
}
}

int main()
{
    struct {
        UINT textId;
        UINT flags;
        int button;
        const char* text;
    } const cases[] = {
        {IDS_APP_RUNNING, MB_YESNO | MB_ICONHAND, IDNO, AppRunning},
        {IDS_APP_RUNNING, MB_YESNO | MB_ICONHAND, IDYES, AppRunning},
        {IDS_OLDER_VERSION, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDCANCEL, 0},
        {IDS_INSTALL_DONE, MB_OK | MB_ICONASTERISK, IDOK, InstallDone},
        {9999, MB_OK, IDOK, ""},
    };
    for (const auto& c : cases) {
        TAnswer answer;
        CHECK_EQ(Show(c.textId, c.flags, c.button, answer), c.button);
        CHECK(answer.seen);
        CHECK_TEXT(answer.caption, SetupCaption);
        if (c.text)
            CHECK_TEXT(answer.text, c.text);
    }
    return check::Finish("message");
}
