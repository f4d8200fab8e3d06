// The installer's page arrays and the cancel confirmation that every one of its pages gives.
#include "installer.h"

#include "message.h"
#include "pages.h"
#include "resource.h"
#include "state.h"

namespace {
const TWizardPage FreshPages[] = {
    {IDD_WELCOME, WelcomePageProc},
    {IDD_FOLDER, InstallFolderPageProc},
    {IDD_SHORTCUTS, InstallShortcutsPageProc},
};

const TWizardPage MaintenancePages[] = {
    {IDD_WELCOME, WelcomePageProc},
    {IDD_ACTION, InstallActionPageProc},
};
}

void SelectInstallerPages()
{
    Screen.Pages = FreshInstall ? FreshPages : MaintenancePages;
    Screen.PageCount = FreshInstall ? PageCountOf(FreshPages) : PageCountOf(MaintenancePages);
    Screen.KeepWizardOnCancel = KeepSetupOnCancel;
}

bool KeepSetupOnCancel(HWND page)
{
    return MessageBoxByIds(page, IDS_CANCEL_SETUP, IDS_SETUP_CAPTION, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
        == IDNO;
}
