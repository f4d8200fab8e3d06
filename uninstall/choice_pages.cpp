// The uninstaller's action page (change the shortcuts or remove everything) and its shortcuts page.
#include "uninstaller.h"

#include "platform.h"
#include "resource.h"

namespace {
INT_PTR OnActionNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        return TRUE;
    case PSN_WIZNEXT:
        // Removal skips the shortcuts page.
        return AnswerSheet(page, IsDlgButtonChecked(page, IDC_CHANGE_INTERFACE) == BST_CHECKED ? 0 : IDD_PROGRESS);
    }
    return FALSE;
}

INT_PTR OnInterfaceNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
        return TRUE;
    case PSN_WIZFINISH:
        ApplyShortcutChoices(page);
        return AnswerSheet(page, 0);
    case PSN_WIZNEXT:
        // The page offers no Next, but the sheet obeys one pressed from outside: the next page would
        // start a removal nobody chose.
        return AnswerSheet(page, -1);
    }
    return FALSE;
}

INT_PTR OnInterfaceCommand(HWND page, WPARAM wParam)
{
    return HIWORD(wParam) == BN_CLICKED && PairCommonBox(page, LOWORD(wParam));
}
}

void InitActionPage(HWND page)
{
    CheckRadioButton(page, IDC_CHANGE_INTERFACE, IDC_REMOVE_ALL, IDC_CHANGE_INTERFACE);
    // Removing machine-wide files is for administrators; anyone may change the shortcuts.
    if (!IsAdministrator)
        RestrictToAdministrators(page, IDC_REMOVE_ALL, IDC_REMOVE_ALL_NOTE, IDS_REMOVE_ADMIN_ONLY);
}

INT_PTR CALLBACK ActionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetSidePicture(page, IDB_ACTION);
        InitActionPage(page);
        return TRUE;
    case WM_NOTIFY:
        return OnActionNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    }
    return FALSE;
}

INT_PTR CALLBACK InterfacePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetSidePicture(page, IDB_INTERFACE);
        InitShortcutChoices(page);
        return TRUE;
    case WM_NOTIFY:
        return OnInterfaceNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        return OnInterfaceCommand(page, wParam);
    }
    return FALSE;
}
