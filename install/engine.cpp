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
// folder instead of counting those folders as the user's. The folder is noted without its backslash.
// The record's own values are written only once the files are in place.
void NoteFolderPair(HKEY productKey, const TString& folder, TString& existing)
{
    TString noted, notedExisting;
    if (ReadRegString(noted, productKey, PendingInstallDirValue) && SamePath(noted.CStr(), folder.CStr())
        && ReadRegString(notedExisting, productKey, PendingInstDirExistedValue))
        existing = notedExisting;
    WriteRegString(folder, productKey, PendingInstallDirValue);
    WriteRegString(existing, productKey, PendingInstDirExistedValue);
}

void ForgetFolderPair(HKEY productKey)
{
    RegDeleteValueA(productKey, PendingInstallDirValue);
    RegDeleteValueA(productKey, PendingInstDirExistedValue);
}

// Takes back exactly what this run wrote: the files the extraction began, then the folders it made.
// Files of the same names that were there before and never reached stay. The note goes only with the
// folders: files an earlier, stopped run left may still hold them. True when every folder it made went.
bool RollBack(HKEY productKey, const TExtraction& extraction, TString& existing)
{
    DeleteExtractedFiles(extraction);
    TString folder(TargetFolder), notRemoved;
    RemoveFolderChain(folder, existing, &notRemoved);
    if (notRemoved.IsEmpty())
        ForgetFolderPair(productKey);
    return notRemoved.IsEmpty();
}
}

void CreateProductShortcuts()
{
    if (!FreshInstall)
        return;
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

int RunInstallation()
{
    if (!InstallChoices.Confirmed)
        return ExitNormal;
    HWND owner = Screen.Background;
    HKEY productKey = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    if (!productKey) {
        MessageBoxByIds(owner, IDS_REGISTRY_FAILED, IDS_SETUP_CAPTION, MB_OK | MB_ICONHAND);
        return ExitRegistryFailed;
    }
    // The one place the chosen folder is normalised: created and noted without a trailing backslash,
    // held as TargetFolder with exactly one.
    TString folder(InstallChoices.InstallFolder);
    StripTrailingBackslash(folder);
    TargetFolder = folder.Concat(Backslash.CStr());
    TString existing;
    CreateFolderPath(existing, folder);
    if (existing.IsEmpty()) {
        MessageBoxByIds(owner, IDS_FOLDER_FAILED, IDS_SETUP_CAPTION, MB_OK | MB_ICONHAND);
        RegCloseKey(productKey);
        return ExitFolderFailed;
    }
    if (FreshInstall)
        NoteFolderPair(productKey, folder, existing);

    TExtraction extraction;
    if (!ExtractCabinet(owner, Cabinet, TargetFolder, extraction)) {
        const bool whole = !FreshInstall || RollBack(productKey, extraction, existing);
        RegCloseKey(productKey);
        return whole ? ExitArchiveFailed : ExitRollBackIncomplete;
    }

    TString notice, displayName;
    notice.Load(Screen.Instance, IDS_RECORD_NOTICE);
    displayName.Load(Screen.Instance, IDS_DISPLAY_NAME);
    WriteProductValues(productKey, FreshInstall, TargetFolder, existing, notice);
    ForgetFolderPair(productKey);
    RegCloseKey(productKey);
    WriteRegistrationEntries(TargetFolder, displayName, UninstallerPath);
    CreateProductShortcuts();
    MessageBoxByIds(owner, IDS_INSTALL_DONE, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
    return ExitInstalled;
}
