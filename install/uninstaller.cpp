// Hands over to the registered uninstaller; when it cannot be started, to Add or Remove Programs.
#include "installer.h"

#include <shellapi.h>

#include "message.h"
#include "paths.h"
#include "record.h"
#include "registry.h"
#include "resource.h"

namespace {
bool StartProcess(const TString& program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEONFEEDBACK;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.CStr(), 0, 0, 0, FALSE, NORMAL_PRIORITY_CLASS, 0, 0, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
}

void StartUninstaller(HWND owner)
{
    TString command;
    if (ReadRegStringAt(command, HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue) && StartProcess(command))
        return;
    MessageBoxByIds(owner, IDS_UNINSTALLER_FALLBACK, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, sizeof system);
    TString applet;
    applet.AssignPart(system, length < sizeof system ? length : 0);
    StripTrailingBackslash(applet);
    applet.Append("\\appwiz.cpl");
    ShellExecuteA(owner, 0, applet.CStr(), 0, 0, SW_SHOWNORMAL);
}
