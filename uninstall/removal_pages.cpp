// The removal progress page, which starts the worker and waits for it, and the list of what could not
// be removed, with the system's description of each error.
#include "uninstaller.h"

#include <process.h>

#include "folder_rules.h"
#include "message.h"
#include "paths.h"
#include "resource.h"
#include "state.h"

TThreadStart StartRemovalThread = _beginthread;

namespace {
bool RefuseUnreachableDrive(HWND sheet)
{
    if (InstallDriveReachable())
        return false;
    MessageBoxByIds(sheet, IDS_DRIVE_UNREACHABLE, IDS_UNINSTALL_CAPTION, MB_OK | MB_ICONHAND, InstallFolder.CStr());
    RemovalRefused = true;
    // Cancel is still enabled: the wizard closes as after it.
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return true;
}

void OnProgressActive(HWND page)
{
    // The removal runs once; shown again, the page leaves the wizard's buttons as they are.
    static bool started;
    if (started)
        return;
    started = true;
    HWND sheet = GetParent(page);
    SetWizardButtons(page, 0);
    if (RefuseUnreachableDrive(sheet))
        return;
    TString close;
    close.Load(Screen.Instance, IDS_CLOSE);
    SetDlgItemTextA(sheet, IDCANCEL, close.CStr());
    EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
    RemovalStarted = true;
    // Without a thread of its own the removal runs here: the page stands still meanwhile, but the
    // wizard's way out opens at its end as it would after the worker.
    if (StartRemovalThread(RunRemoval, 0, page) == static_cast<uintptr_t>(-1))
        RunRemoval(page);
}

// The sheet acts on its buttons and keys even while they are disabled: each is answered here.
INT_PTR OnProgressNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        OnProgressActive(page);
        // An answer left from an earlier notification would send the sheet to another page.
        return AnswerSheet(page, 0);
    case PSN_QUERYCANCEL:
    case PSN_WIZFINISH:
        // Escape, the close command and Finish may close only what Close may.
        return AnswerSheet(page, !IsWindowEnabled(GetDlgItem(GetParent(page), IDCANCEL)));
    case PSN_WIZNEXT:
        // The list is made from what the worker left: only once it has ended, and only when not empty.
        return AnswerSheet(page, RemovalDone && AnythingNotRemoved() ? 0 : -1);
    case PSN_WIZBACK:
        // There is no way back to a removal that has run or is running.
        return AnswerSheet(page, -1);
    }
    return FALSE;
}

void FillNotRemoved(HWND page)
{
    HWND list = GetDlgItem(page, IDC_NOT_REMOVED_LIST);
    // The list scrolls sideways only as far as it is told: as far as its widest line, in its own font.
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    TArray<TString>& items = NotRemoved;
    for (int i = 0; i < items.Count(); ++i) {
        const TString& item = items.At(i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.CStr()));
        SIZE size;
        if (GetTextExtentPoint32A(dc, item.CStr(), static_cast<int>(item.Length()), &size) && size.cx > widest)
            widest = size.cx;
    }
    // A character more leaves room for the margin the list draws before each line.
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics))
        widest += metrics.tmAveCharWidth;
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

void OnNotRemovedActive(HWND page)
{
    HWND sheet = GetParent(page);
    SetWizardButtons(page, 0);
    EnableWindow(GetDlgItem(sheet, IDCANCEL), TRUE);
    EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
}

INT_PTR OnNotRemovedNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        OnNotRemovedActive(page);
        return TRUE;
    case PSN_WIZBACK:
        // Back would show the progress page again, whose removal has run.
        return AnswerSheet(page, -1);
    }
    return FALSE;
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
        return OnProgressNotify(page, *reinterpret_cast<NMHDR*>(lParam));
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
        return OnNotRemovedNotify(page, *reinterpret_cast<NMHDR*>(lParam));
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
const int UninstallerPageCount = PageCountOf(UninstallerPages);
