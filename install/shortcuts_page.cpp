// The shortcuts page: which of the seven shortcuts to create, each all-users box tied to its user twin
// so that no place gets both copies.
#include <windows.h>

#include "pages.h"
#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
struct TBoxPair {
    int common;
    int user;
};

const TBoxPair Pairs[] = {
    {IDC_COMMON_DESKTOP, IDC_USER_DESKTOP},
    {IDC_COMMON_PROGRAMS, IDC_USER_PROGRAMS},
    {IDC_COMMON_START_MENU, IDC_USER_START_MENU},
};

bool Checked(HWND page, int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED; }

void Enable(HWND page, int control, bool enabled) { EnableWindow(GetDlgItem(page, control), enabled); }

void OnShortcutsInit(HWND page)
{
    SetSidePicture(page, IDB_SHORTCUTS);
    if (!IsWinNT) {
        CheckDlgButton(page, IDC_USER_PROGRAMS, BST_CHECKED);
        Enable(page, IDC_USER_PROGRAMS, true);
    } else {
        CheckDlgButton(page, IDC_COMMON_PROGRAMS, BST_CHECKED);
    }
    if (QuickLaunchSupported)
        CheckDlgButton(page, IDC_QUICK_LAUNCH, BST_CHECKED);
    Enable(page, IDC_QUICK_LAUNCH, QuickLaunchSupported);
    const int commonControls[] = {IDC_COMMON_GROUP, IDC_COMMON_DESKTOP, IDC_COMMON_PROGRAMS, IDC_COMMON_START_MENU};
    for (int control : commonControls)
        Enable(page, control, IsWinNT);
}

INT_PTR OnShortcutsCommand(HWND page, WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    for (int slot = 0; slot < 3; ++slot) {
        if (LOWORD(wParam) != Pairs[slot].common)
            continue;
        const int user = Pairs[slot].user;
        if (Checked(page, Pairs[slot].common)) {
            RememberedUserBoxes[slot] = IsDlgButtonChecked(page, user);
            CheckDlgButton(page, user, BST_UNCHECKED);
            Enable(page, user, false);
        } else {
            CheckDlgButton(page, user, static_cast<UINT>(RememberedUserBoxes[slot]));
            Enable(page, user, true);
        }
        return TRUE;
    }
    return FALSE;
}

void OnShortcutsFinish(HWND page)
{
    InstallChoices.CommonDesktop = Checked(page, IDC_COMMON_DESKTOP);
    InstallChoices.CommonPrograms = Checked(page, IDC_COMMON_PROGRAMS);
    InstallChoices.CommonStartMenu = Checked(page, IDC_COMMON_START_MENU);
    InstallChoices.UserDesktop = Checked(page, IDC_USER_DESKTOP);
    InstallChoices.UserPrograms = Checked(page, IDC_USER_PROGRAMS);
    InstallChoices.UserStartMenu = Checked(page, IDC_USER_START_MENU);
    InstallChoices.QuickLaunch = Checked(page, IDC_QUICK_LAUNCH) && QuickLaunchSupported;
    InstallChoices.Confirmed = true;
}

INT_PTR OnShortcutsNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
        return TRUE;
    case PSN_WIZFINISH:
        OnShortcutsFinish(page);
        return AnswerSheet(page, 0);
    case PSN_QUERYCANCEL:
        return AnswerSheet(page, KeepSetupOnCancel(page));
    }
    return FALSE;
}
}

INT_PTR CALLBACK InstallShortcutsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnShortcutsInit(page);
        return TRUE;
    case WM_NOTIFY:
        return OnShortcutsNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        return OnShortcutsCommand(page, wParam);
    }
    return FALSE;
}
