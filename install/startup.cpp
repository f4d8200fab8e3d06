// Install's start-up: the running application, the shell's folders, an earlier installation and the
// user's rights decide whether setup goes on, and how; then the setup screen runs the wizard.
#include "installer.h"

#include <string.h>

#include "application.h"
#include "extract.h"
#include "folder_rules.h"
#include "message.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "state.h"

namespace {
// Setup holds the application's window class here, and the product's registry paths in record.h, as
// constants; unTikton loads the same facts from its string table and its banner from data resources,
// as it is designed to. The record's value names and the help key come from record.h in both programs.
const char ApplicationClass[] = "TTiktonForm";
const char ProgramFilesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char InstallerClass[] = "clInstallerWindow";

const TTextData TitleText = {38, 1, 1, 0, 0, RGB(255, 255, 255), 13, 2, TString("Times New Roman")};
const TShadowData TitleShadow = {5, 5, RGB(0, 0, 0)};
const TTextData NoticeText = {18, 1, 1, 0, 0, RGB(0, 255, 255), 7, 5, TString("Times New Roman")};
const TBackColors Colors = {RGB(0, 0, 255), RGB(0, 0, 0), RGB(0, 128, 128)};

void SetUpScreen(HINSTANCE instance)
{
    Screen.Instance = instance;
    Screen.Title.Load(instance, IDS_PRODUCT_TITLE);
    Screen.Notice.Load(instance, IDS_NOTICE_LINE);
    Screen.TitleText = TitleText;
    Screen.Shadow = TitleShadow;
    Screen.NoticeText = NoticeText;
    Screen.Colors = Colors;
    Screen.StartPending = true;
    Screen.WizardUnplaced = true;
    Screen.FollowUp = HandOver;
}

// The stored folder goes into the wizard's field as stored; one that cannot fit, or that breaks the
// folder rules (a relative one would be made below the kit's folder), is not used at all.
bool TakeInstalledFolder(const TString& stored)
{
    if (!IsValidInstallPath(stored.CStr()))
        return false;
    TString folder(stored);
    if (folder.Length() >= sizeof InstallChoices.InstallFolder)
        StripTrailingBackslash(folder);
    if (folder.Length() >= sizeof InstallChoices.InstallFolder)
        return false;
    memcpy(InstallChoices.InstallFolder, folder.CStr(), folder.Length() + 1);
    return true;
}

// The wizard's run without its pages: a new installation into the folder /D= names, or the one the
// folder page offers, under the page's rules, with the shortcuts the shortcuts page first shows ticked;
// a reinstallation, as "Переустановить", keeps the installed folder and shortcuts.
int InstallUnattended(const TSwitches& switches)
{
    if (FreshInstall) {
        const TString folder = switches.FolderGiven ? switches.Folder : DefaultInstallFolder();
        // Refused whole: the page cuts what is typed at 259 characters, but a script's folder is not cut.
        if (folder.Length() >= sizeof InstallChoices.InstallFolder)
            return ExitFolderRefused;
        memcpy(InstallChoices.InstallFolder, folder.CStr(), folder.Length() + 1);
        if (UINT refusal = FolderRefusal(InstallChoices.InstallFolder))
            return refusal == IDS_NO_SPACE ? ExitDriveRefused : ExitFolderRefused;
        FirstViewShortcuts(InstallChoices.Shortcuts);
    }
    InstallChoices.Confirmed = true;
    return RunInstallation();
}
}

void ResolveLocations()
{
    for (int i = 0; i < ShortcutLocationCount; ++i)
        ShortcutFolders[i] = ReadShortcutFolder(static_cast<TShortcutLocation>(i));
    ReadRegStringAt(ProgramFilesFolder, HKEY_LOCAL_MACHINE, ProgramFilesKey, "ProgramFilesDir");
    StripTrailingBackslash(ProgramFilesFolder);

    UninstallerPath = WindowsFolder().Concat("\\unTikton.exe");
}

int CheckEarlierInstallation(bool& fresh)
{
    fresh = true;
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
    if (!key)
        return ExitNormal;
    TString folder;
    TInstalledState state = ReadInstalledState(key, folder);
    RegCloseKey(key);
    if (state == NotInstalled)
        return ExitNormal;
    // The version decides first, whatever the stored folder is like.
    if (state == NewerInstalled) {
        MessageBoxByIds(0, IDS_NEWER_VERSION, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
        return ExitNewerInstalled;
    }
    if (state == OlderInstalled) {
        // Unattended, the uninstaller the box offers is not started: an older version stops setup.
        if (Unattended)
            return ExitOlderInstalled;
        switch (MessageBoxByIds(0, IDS_OLDER_VERSION, IDS_SETUP_CAPTION, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            StartUninstaller(0);
            return ExitOlderInstalled;
        case IDCANCEL:
            return ExitOlderInstalled;
        }
    }
    // Maintenance works on the stored folder; one that cannot be used leaves setup as on a clean machine.
    fresh = !TakeInstalledFolder(folder);
    return ExitNormal;
}

void HandOver(HWND background)
{
    if (!FreshInstall && MaintenanceAction != Reinstall)
        StartUninstaller(background);
    else
        RunInstallation();
}

int RunInstaller(HINSTANCE instance, const char* commandLine)
{
    TSwitches switches;
    if (!ReadSwitches(commandLine, true, switches))
        return ExitUnknownSwitch;
    Unattended = switches.Unattended;
    if (!CloseRunningApplication(ApplicationClass, IDS_APP_RUNNING, IDS_SETUP_CAPTION))
        return ExitNotAllowed;
    // Files a stopped run moved aside are put back before anything reads the installation, unless
    // another setup is running, whose copies they may be. The handle goes with the process.
    CreateMutexA(0, FALSE, SetupRunningMutex);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        RecoverMovedAside();
    SetUpScreen(instance);
    ZeroMemory(&InstallChoices, sizeof InstallChoices);
    ResolveLocations();
    MaintenanceAction = Reinstall;
    bool fresh;
    int stop = CheckEarlierInstallation(fresh);
    if (stop != ExitNormal)
        return stop;
    FreshInstall = fresh;
    // Unattended, a reinstallation is the only maintenance there is, and it is an administrator's too.
    if ((FreshInstall || Unattended) && !IsAdministrator) {
        MessageBoxByIds(0, IDS_NOT_ADMINISTRATOR, IDS_SETUP_CAPTION, MB_OK | MB_ICONHAND);
        return ExitNotAllowed;
    }
    if (Unattended)
        return InstallUnattended(switches);
    SelectInstallerPages();
    LoadImagingLibrary();
    TString title;
    title.Load(instance, IDS_SETUP_CAPTION);
    int exitCode = ExitWindowFailed;
    if (CreateBackgroundWindow(InstallerClass, title.CStr())) {
        RunMessageLoop();
        exitCode = ExitNormal;
    }
    FreeImagingLibrary();
    return exitCode;
}
