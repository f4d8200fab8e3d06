// The action page of an installed product: change the shortcuts, reinstall, or remove.
#include <windows.h>

#include "pages.h"
#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
void OnActionInit(HWND page)
{
    SetSidePicture(page, IDB_ACTION);
    CheckDlgButton(page, IDC_CHANGE_INTERFACE, BST_CHECKED);
    // Only an administrator may rewrite or remove machine-wide files; anyone may change the shortcuts.
    if (!IsAdministrator) {
        RestrictToAdministrators(page, IDC_REINSTALL, IDC_REINSTALL_NOTE, IDS_REINSTALL_ADMIN_ONLY);
        RestrictToAdministrators(page, IDC_REMOVE, IDC_REMOVE_NOTE, IDS_REMOVE_ADMIN_ONLY);
    }
}

void OnActionFinish(HWND page)
{
    if (IsDlgButtonChecked(page, IDC_REINSTALL) == BST_CHECKED)
        MaintenanceAction = Reinstall;
    else if (IsDlgButtonChecked(page, IDC_CHANGE_INTERFACE) == BST_CHECKED)
        MaintenanceAction = ChangeInterface;
    else
        MaintenanceAction = Remove;
    InstallChoices.Confirmed = true;
}

INT_PTR OnActionNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
        return TRUE;
    case PSN_WIZFINISH:
        OnActionFinish(page);
        return AnswerSheet(page, 0);
    case PSN_QUERYCANCEL:
        return AnswerSheet(page, KeepSetupOnCancel(page));
    }
    return FALSE;
}
}

INT_PTR CALLBACK InstallActionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnActionInit(page);
        return TRUE;
    case WM_NOTIFY:
        return OnActionNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    }
    return FALSE;
}
