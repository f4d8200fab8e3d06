// The installation engine: folder, files, record and shortcuts, after a wizard that was finished.
// An installation or reinstallation whose archive cannot be unpacked is taken back, overwritten files
// put back.
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
// folder when it lies above this run's, instead of counting those folders as the user's. A note that
// lies deeper is stale (the user deleted folders since): this run made them. The folder is noted
// without its backslash. The record's own values are written only once the files are in place.
void NoteFolderPair(HKEY productKey, const TString& folder, TString& existing)
{
    TString noted, notedExisting;
    if (ReadRegString(noted, productKey, PendingInstallDirValue) && SamePath(noted.CStr(), folder.CStr())
        && ReadRegString(notedExisting, productKey, PendingInstDirExistedValue)) {
        TString shallower(notedExisting), found(existing);
        StripTrailingBackslash(shallower);
        StripTrailingBackslash(found);
        if (IsAncestorFolder(shallower.CStr(), found.CStr()))
            existing = notedExisting;
    }
    WriteRegString(folder, productKey, PendingInstallDirValue);
    WriteRegString(existing, productKey, PendingInstDirExistedValue);
}

void ForgetFolderPair(HKEY productKey)
{
    RegDeleteValueA(productKey, PendingInstallDirValue);
    RegDeleteValueA(productKey, PendingInstDirExistedValue);
}

// Takes back exactly what this run wrote: the files the extraction began, each file it overwrote put
// back, then the folders it made. The folder note goes only with the folders: files an earlier,
// stopped run left may still hold them; a reinstallation has no note. True when every file moved aside
// went back and every folder it made went.
bool RollBack(HKEY productKey, const TExtraction& extraction, TString& existing)
{
    const bool filesBack = TakeBackFiles(extraction);
    TString folder(TargetFolder), notRemoved;
    RemoveFolderChain(folder, existing, &notRemoved);
    if (notRemoved.IsEmpty() && FreshInstall)
        ForgetFolderPair(productKey);
    return filesBack && notRemoved.IsEmpty();
}
}

void CreateProductShortcuts()
{
    if (!FreshInstall)
        return;
    TString description;
    description.Load(Screen.Instance, IDS_LINK_DESCRIPTION);
    const TLinkInfo link = ProductLink(TargetFolder, ProgramFileName, description);
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
    const bool newFolder = !SamePath(existing.CStr(), folder.CStr());
    if (FreshInstall)
        NoteFolderPair(productKey, folder, existing);

    // A failed reinstallation is taken back as a new one is: the product stays as it was.
    TExtraction extraction;
    if (!ExtractCabinet(owner, Cabinet, TargetFolder, newFolder, extraction)) {
        const bool whole = RollBack(productKey, extraction, existing);
        RegCloseKey(productKey);
        return whole ? ExitArchiveFailed : ExitRollBackIncomplete;
    }

    TString notice, displayName;
    notice.Load(Screen.Instance, IDS_RECORD_NOTICE);
    displayName.Load(Screen.Instance, IDS_DISPLAY_NAME);
    WriteProductValues(productKey, FreshInstall, TargetFolder, existing, notice);
    ForgetFolderPair(productKey);
    RegCloseKey(productKey);
    WriteRegistrationEntries(TargetFolder, displayName, UninstallerPath, static_cast<DWORD>(extraction.BytesDone));
    DropMovedAside(extraction);
    CreateProductShortcuts();
    MessageBoxByIds(owner, IDS_INSTALL_DONE, IDS_SETUP_CAPTION, MB_OK | MB_ICONASTERISK);
    return ExitInstalled;
}
