// The removal progress page, which starts the worker and waits for it, and the list of what could not
// be removed, with the system's description of each error.
#include "uninstaller.h"

#include <process.h>

#include "resource.h"
#include "state.h"

TThreadStart StartRemovalThread = _beginthread;

namespace {
void OnProgressActive(HWND page)
{
    HWND sheet = GetParent(page);
    SetWizardButtons(page, 0);
    TString close;
    close.Load(Screen.Instance, IDS_CLOSE);
    SetDlgItemTextA(sheet, IDCANCEL, close.CStr());
    EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
    // Without a thread of its own the removal runs here: the page stands still meanwhile, but the
    // wizard's way out opens at its end as it would after the worker.
    if (StartRemovalThread(RunRemoval, 0, page) == static_cast<uintptr_t>(-1))
        RunRemoval(page);
}

void FillNotRemoved(HWND page)
{
    TArray<TString>& items = NotRemoved;
    for (int i = 0; i < items.Count(); ++i)
        SendDlgItemMessageA(page, IDC_NOT_REMOVED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items.At(i).CStr()));
}

void OnNotRemovedActive(HWND page)
{
    HWND sheet = GetParent(page);
    SetWizardButtons(page, 0);
    EnableWindow(GetDlgItem(sheet, IDCANCEL), TRUE);
    EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
}

void ShowSelectedError(HWND page)
{
    LRESULT selected = SendDlgItemMessageA(page, IDC_NOT_REMOVED_LIST, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    TArray<int>& errors = NotRemoved;
    TString text = SystemErrorText(static_cast<DWORD>(errors.At(static_cast<int>(selected))));
    SetDlgItemTextA(page, IDC_ERROR_TEXT, text.CStr());
}
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetSidePicture(page, IDB_PROGRESS);
        return TRUE;
    case WM_NOTIFY:
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            OnProgressActive(page);
            return TRUE;
        case PSN_QUERYCANCEL:
            // Escape and the close command go past the button: they may close only what Close may.
            return AnswerSheet(page, !IsWindowEnabled(GetDlgItem(GetParent(page), IDCANCEL)));
        case PSN_WIZBACK:
            // There is no way back to a removal that has run or is running.
            return AnswerSheet(page, -1);
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK NotRemovedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetSidePicture(page, IDB_NOT_REMOVED);
        FillNotRemoved(page);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code != PSN_SETACTIVE)
            return FALSE;
        OnNotRemovedActive(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NOT_REMOVED_LIST && HIWORD(wParam) == LBN_SELCHANGE)
            ShowSelectedError(page);
        return FALSE;
    }
    return FALSE;
}

const TWizardPage UninstallerPages[] = {
    {IDD_WELCOME, WelcomePageProc},   {IDD_ACTION, ActionPageProc},         {IDD_INTERFACE, InterfacePageProc},
    {IDD_PROGRESS, ProgressPageProc}, {IDD_NOT_REMOVED, NotRemovedPageProc},
};
const int UninstallerPageCount = 5;
