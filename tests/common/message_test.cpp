// Message boxes built from the installer's string table: the text and caption shown, and the answer
// returned unchanged. A second thread reads each box and presses one of its buttons.
#include <windows.h>

#include "check.h"
#include "message.h"
#include "resource.h"

namespace {
const char Caption[] = "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0 \xD2\xE8\xEA\xF2\xEE\xED\xE0";

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
            GetDlgItemTextA(box, 0xFFFF, answer->text, sizeof answer->text);
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
        {IDS_APP_RUNNING, MB_YESNO | MB_ICONHAND, IDNO,
         "\xD2\xE8\xEA\xF2\xEE\xED \xE7\xE0\xEF\xF3\xF9\xE5\xED.\r\n\r\n\xC7\xE0\xEA\xF0\xFB\xF2\xFC \xE5\xE3\xEE?"},
        {IDS_APP_RUNNING, MB_YESNO | MB_ICONHAND, IDYES,
         "\xD2\xE8\xEA\xF2\xEE\xED \xE7\xE0\xEF\xF3\xF9\xE5\xED.\r\n\r\n\xC7\xE0\xEA\xF0\xFB\xF2\xFC \xE5\xE3\xEE?"},
        {IDS_OLDER_VERSION, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDCANCEL, 0},
        {IDS_INSTALL_DONE, MB_OK | MB_ICONASTERISK, IDOK,
         "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0 \xD2\xE8\xEA\xF2\xEE\xED\xE0 \xF3\xF1\xEF\xE5\xF8\xED\xEE "
         "\xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE0."},
        {9999, MB_OK, IDOK, ""},
    };
    for (const auto& c : cases) {
        TAnswer answer;
        CHECK_EQ(Show(c.textId, c.flags, c.button, answer), c.button);
        CHECK(answer.seen);
        CHECK_TEXT(answer.caption, Caption);
        if (c.text)
            CHECK_TEXT(answer.text, c.text);
    }
    return check::Finish("message");
}
