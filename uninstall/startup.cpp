// unTikton's start-up: the installation record must be complete and of this version, and the
// application closed; then the setup screen runs the wizard, and self-removal follows.
#include "uninstaller.h"

#include <string.h>

#include "application.h"
#include "message.h"
#include "platform.h"
#include "modules.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "state.h"

namespace {
const char UninstallerClass[] = "clUninstallerWindow";

// The first bytes of a data resource, which the program always carries.
void CopyRcData(HINSTANCE instance, UINT id, void* target, size_t size)
{
    DWORD found = 0;
    const void* bytes = ResourceBytes(instance, MAKEINTRESOURCEA(id), RT_RCDATA, found);
    if (bytes && found >= size)
        memcpy(target, bytes, size);
}

// The screen closed from outside during the removal ends the wizard, not the removal: its worker runs
// to its end (its calls into the pages that have gone fail at once) before the program may exit.
void AwaitRemoval()
{
    while (RemovalStarted && !RemovalDone) {
        // Lets through a call the worker is making into a window of this thread.
        MSG message;
        PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
        Sleep(20);
    }
}

// The removal the wizard runs, without it: only an administrator's, as on the action page; the
// uninstaller then goes as after the wizard.
int RemoveUnattended()
{
    if (!IsAdministrator || !InstallDriveReachable())
        return ExitRefused;
    RunRemoval(0);
    RemoveSelf();
    return AnythingNotRemoved() ? ExitLeftBehind : ExitDone;
}
}

UINT CheckRecord()
{
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKeyPath.CStr(), false, true);
    if (!key)
        return IDS_NOT_INSTALLED;
    const bool installed = ReadRegString(InstallFolder, key, InstallDirValue);
    // A pair setup could not have written would have the removal climb folders that are not its own.
    if (installed && (!ReadRegString(ExistedFolder, key, InstDirExistedValue)
                      || !IsUsableFolderPair(InstallFolder.CStr(), ExistedFolder.CStr()))) {
        RegCloseKey(key);
        return IDS_BADLY_INSTALLED;
    }
    DWORD version = 0;
    const bool sameVersion = ReadRegDword(key, InstVersionValue, version) && version == ProductVersion;
    RegCloseKey(key);
    if (!sameVersion)
        return IDS_OTHER_VERSION;
    return installed ? 0 : IDS_NOT_INSTALLED;
}

void LoadBanner(HINSTANCE instance)
{
    Screen.Title.Load(instance, IDS_BANNER_TITLE);
    Screen.Notice.Load(instance, IDS_NOTICE_LINE);
    // The data resources hold the fields before the face name, byte for byte.
    const size_t textFields = sizeof(LONG) * 5;
    CopyRcData(instance, IDR_BACK_COLORS, &Screen.Colors, sizeof Screen.Colors);
    CopyRcData(instance, IDR_TITLE_TEXT, &Screen.TitleText, textFields);
    Screen.TitleText.FaceName.Load(instance, IDS_TITLE_FACE);
    CopyRcData(instance, IDR_TITLE_SHADOW, &Screen.Shadow, sizeof Screen.Shadow);
    CopyRcData(instance, IDR_NOTICE_TEXT, &Screen.NoticeText, textFields);
    Screen.NoticeText.FaceName.Load(instance, IDS_NOTICE_FACE);
}

int RunUninstaller(HINSTANCE instance, const char* commandLine)
{
    TSwitches switches;
    if (!ReadSwitches(commandLine, false, switches))
        return ExitUnknownSwitch;
    Unattended = switches.Unattended;
    Screen.Instance = instance;
    if (UINT refusal = CheckRecord()) {
        MessageBoxByIds(0, refusal, IDS_UNINSTALL_CAPTION, MB_OK | MB_ICONHAND);
        return ExitRefused;
    }
    TString applicationClass;
    applicationClass.Load(instance, IDS_APPLICATION_CLASS);
    if (!CloseRunningApplication(applicationClass.CStr(), IDS_APP_RUNNING, IDS_UNINSTALL_CAPTION))
        return ExitRefused;
    if (Unattended)
        return RemoveUnattended();
    TString title;
    title.Load(instance, IDS_UNINSTALL_CAPTION);
    LoadBanner(instance);
    Screen.StartPending = true;
    Screen.WizardUnplaced = true;
    Screen.Pages = UninstallerPages;
    Screen.PageCount = UninstallerPageCount;
    LoadImagingLibrary();
    const bool shown = CreateBackgroundWindow(UninstallerClass, title.CStr()) != 0;
    if (shown)
        RunMessageLoop();
    AwaitRemoval();
    FreeImagingLibrary();
    if (shown)
        RemoveSelf();
    return RemovalRefused ? ExitRefused : ExitDone;
}
