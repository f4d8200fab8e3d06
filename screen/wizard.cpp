// The wizard frame: a property sheet in wizard mode over the setup screen, its shared welcome page,
// and the conventions every page follows (side picture, buttons, answers to the sheet).
#include "screen.h"

#include "frame_ids.h"
#include "modules.h"
#include "system_library.h"

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        // The quit message is the program's loop's: taken here, that loop would wait for good.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchMessageA(&message);
    }
}

namespace {
typedef INT_PTR(WINAPI* TPropertySheet)(LPCPROPSHEETHEADERA header);
typedef void(WINAPI* TInitCommonControls)();

template <typename TFunction>
TFunction CommonControl(const char* name)
{
    if (!Screen.CommonControls)
        Screen.CommonControls = LoadSystemLibrary("comctl32.dll");
    return ProcAddress<TFunction>(Screen.CommonControls, name);
}
}

bool InitCommonControlsFromSystem()
{
    const TInitCommonControls init = CommonControl<TInitCommonControls>("InitCommonControls");
    if (init)
        init();
    return init != 0;
}

void RunWizard()
{
    // The sheet steps through the array by each page's size field: the array is of the first version
    // that every system knows (40 bytes in a 32-bit build, 72 in a 64-bit one), its size its stride.
    // As long as the program's page table.
    const int count = Screen.PageCount;
    if (count <= 0)
        return;
    PROPSHEETPAGEA_V1* pages = new PROPSHEETPAGEA_V1[count]();
    for (int i = 0; i < count; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = Screen.Instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(Screen.Pages[i].Dialog);
        pages[i].pfnDlgProc = Screen.Pages[i].Proc;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD;
    header.hwndParent = Screen.Background;
    header.hInstance = Screen.Instance;
    header.nPages = static_cast<UINT>(count);
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages);
    // comctl32 is no DLL the system protects, so it is loaded from the system folder, not imported.
    const TPropertySheet propertySheet = CommonControl<TPropertySheet>("PropertySheetA");
    // What the wizard decided reaches the program through the state its pages set.
    if (propertySheet)
        propertySheet(&header);
    delete[] pages;
}

void SetSidePicture(HWND page, UINT bitmap)
{
    HBITMAP picture = LoadBitmapA(Screen.Instance, MAKEINTRESOURCEA(bitmap));
    SendDlgItemMessageA(page, IDC_SIDE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

void SetWizardButtons(HWND page, DWORD buttons)
{
    SendMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

INT_PTR AnswerSheet(HWND page, LONG_PTR answer)
{
    SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    return TRUE;
}

void RestrictToAdministrators(HWND page, int choice, int note, UINT label)
{
    EnableWindow(GetDlgItem(page, choice), FALSE);
    EnableWindow(GetDlgItem(page, note), FALSE);
    TString text;
    text.Load(Screen.Instance, label);
    SetDlgItemTextA(page, choice, text.CStr());
}

void CentreOnScreen(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    SetWindowPos(window, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWizard(HWND sheet)
{
    if (!Screen.WizardUnplaced)
        return;
    Screen.WizardUnplaced = false;
    CentreOnScreen(sheet);
    SetWindowLongPtrA(sheet, GWL_EXSTYLE, GetWindowLongPtrA(sheet, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
}

namespace {
INT_PTR OnWelcomeNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        PlaceWizard(notice.hwndFrom);
        SetWizardButtons(page, PSWIZB_NEXT);
        return TRUE;
    case PSN_QUERYCANCEL:
        if (!Screen.KeepWizardOnCancel)
            return FALSE;
        return AnswerSheet(page, Screen.KeepWizardOnCancel(page));
    }
    return FALSE;
}
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetSidePicture(page, IDB_WELCOME);
        return TRUE;
    case WM_NOTIFY:
        return OnWelcomeNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    }
    return FALSE;
}
