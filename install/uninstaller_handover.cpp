// Hands over to the registered uninstaller; when it cannot be started, to Add or Remove Programs.
#include "installer.h"

#include <shellapi.h>

#include "message.h"
#include "paths.h"
#include "modules.h"
#include "record.h"
#include "registry.h"
#include "resource.h"

void StartUninstaller(HWND owner)
{
    TString command;
    if (ReadRegStringAt(command, HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue)
        && StartProcess(command.CStr(), TString(), NORMAL_PRIORITY_CLASS, STARTF_FORCEONFEEDBACK))
        return;
    MessageBoxByIds(owner, IDS_UNINSTALLER_FALLBACK, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
    const TString applet = SystemFolder().Concat("\\appwiz.cpl");
    ShellExecuteA(owner, 0, applet.CStr(), 0, 0, SW_SHOWNORMAL);
}
