// The installation engine: folder, files, record and shortcuts, after a wizard that was finished.
// A new installation whose archive cannot be unpacked is taken back; a reinstallation is left as it is.
#include "installer.h"

#include "extract.h"
#include "message.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "shortcut.h"
#include "state.h"

namespace {
const char Cabinet[] = "Install.cab";

// A new installation notes its folder pair before unpacking, so that the folders it made stay known
// as its own if it is stopped: run again into the same folder, setup takes over the noted existing
// folder instead of counting those folders as the user's.
void NoteFolderPair(HKEY productKey, TString& existing)
{
    TString noted, notedExisting;
    if (ReadRegString(noted, productKey, PendingInstallDirValue) && SamePath(noted.CStr(), TargetFolder.CStr())
        && ReadRegString(notedExisting, productKey, InstDirExistedValue))
        existing = notedExisting;
    WriteRegString(TargetFolder, productKey, PendingInstallDirValue);
    WriteRegString(existing, productKey, InstDirExistedValue);
}

// Takes back exactly what this run wrote: the files the extraction began, then the folders it made.
// Files of the same names that were there before and never reached stay.
void RollBack(HKEY productKey, TString& existing)
{
    DeleteExtractedFiles();
    TString folder(TargetFolder);
    RemoveFolderChain(folder, existing);
    RegDeleteValueA(productKey, PendingInstallDirValue);
    RegDeleteValueA(productKey, InstDirExistedValue);
}
}

void CreateProductShortcuts()
{
    if (!FreshInstall)
        return;
    StripTrailingBackslash(TargetFolder);
    TargetFolder.Append(Backslash.CStr());
    TLinkInfo link;
    link.Path = TargetFolder.Concat(ProgramFileName);
    link.Description.Load(Screen.Instance, IDS_LINK_DESCRIPTION);
    link.WorkingDirectory = TargetFolder;
    TString linkName;
    linkName.Load(Screen.Instance, IDS_LINK_NAME);
    for (const TShortcutPlace& place : ShortcutPlaces) {
        if (!InstallChoices.Shortcuts[place.Location] || !place.Exists())
            continue;
        // A location the system did not name gets no shortcut rather than one in a drive's root.
        TString linkPath = LinkPathIn(ShortcutFolders[place.Location], linkName.CStr());
        if (!linkPath.IsEmpty())
            CreateShortcut(linkPath.CStr(), link, ProductLinkFields);
    }
}

void RunInstallation()
{
    if (!InstallChoices.Confirmed)
        return;
    HWND owner = Screen.Background;
    HKEY productKey = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    if (!productKey) {
        MessageBoxByIds(owner, IDS_REGISTRY_FAILED, IDS_SETUP_CAPTION, MB_OK | MB_ICONHAND);
        return;
    }
    TargetFolder.Assign(InstallChoices.InstallFolder);
    StripTrailingBackslash(TargetFolder);
    TString existing;
    CreateFolderPath(existing, TargetFolder);
    if (existing.IsEmpty()) {
        MessageBoxByIds(owner, IDS_FOLDER_FAILED, IDS_SETUP_CAPTION, MB_OK | MB_ICONHAND);
        RegCloseKey(productKey);
        return;
    }
    if (FreshInstall)
        NoteFolderPair(productKey, existing);
    TargetFolder.Append(Backslash.CStr());

    if (!ExtractCabinet(owner, Cabinet, TargetFolder)) {
        if (FreshInstall)
            RollBack(productKey, existing);
        RegCloseKey(productKey);
        return;
    }

    TString notice, displayName;
    notice.Load(Screen.Instance, IDS_RECORD_NOTICE);
    displayName.Load(Screen.Instance, IDS_DISPLAY_NAME);
    WriteProductValues(productKey, FreshInstall, TargetFolder, existing, notice);
    RegDeleteValueA(productKey, PendingInstallDirValue);
    RegCloseKey(productKey);
    WriteRegistrationEntries(TargetFolder, displayName, UninstallerPath);
    CreateProductShortcuts();
    MessageBoxByIds(owner, IDS_INSTALL_DONE, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
}
