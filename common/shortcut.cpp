// Shell locations of the product's shortcut, and link files written through the shell's link object.
#include "shortcut.h"

#include <shlobj.h>

#include "paths.h"
#include "platform.h"
#include "registry.h"
#include "shortcut_boxes.h"

namespace {
const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const size_t LinkPathCapacity = MAX_PATH;
}

const TShortcutPlace ShortcutPlaces[ShortcutLocationCount] = {
    {CommonDesktopLocation, true, "Common Desktop", "", &IsWinNT, IDC_COMMON_DESKTOP, 0},
    {CommonProgramsLocation, true, "Common Programs", "", &IsWinNT, IDC_COMMON_PROGRAMS, 0},
    {CommonStartMenuLocation, true, "Common Start Menu", "", &IsWinNT, IDC_COMMON_START_MENU, 0},
    {UserDesktopLocation, false, "Desktop", "", 0, IDC_USER_DESKTOP, &ShortcutPlaces[0]},
    {UserProgramsLocation, false, "Programs", "", 0, IDC_USER_PROGRAMS, &ShortcutPlaces[1]},
    {UserStartMenuLocation, false, "Start Menu", "", 0, IDC_USER_START_MENU, &ShortcutPlaces[2]},
    {QuickLaunchLocation, false, "AppData", "\\Microsoft\\Internet Explorer\\Quick Launch", &QuickLaunchSupported,
     IDC_QUICK_LAUNCH, 0},
};

const TShortcutPlace& ShortcutPlace(TShortcutLocation location)
{
    const TShortcutPlace* place = ShortcutPlaces;
    while (place->Location != location)
        ++place;
    return *place;
}

bool ShortcutLocationExists(TShortcutLocation location) { return ShortcutPlace(location).Exists(); }

TString ReadShortcutFolder(TShortcutLocation location)
{
    TString folder;
    const TShortcutPlace& place = ShortcutPlace(location);
    if (!place.Exists())
        return folder;
    ReadRegStringAt(folder, place.AllUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, ShellFoldersKey,
                    place.ShellFolder);
    StripTrailingBackslash(folder);
    if (!folder.IsEmpty())
        folder.Append(place.Under);
    return folder;
}

TLinkInfo ProductLink(const TString& folder, const char* programFile, const TString& description)
{
    TLinkInfo link;
    link.Path = folder;
    EnsureTrailingBackslash(link.Path);
    link.Path.Append(programFile);
    link.WorkingDirectory = folder;
    link.Description = description;
    return link;
}

TString LinkPathIn(const TString& folder, const char* linkName)
{
    TString link;
    if (folder.IsEmpty())
        return link;
    link = folder;
    StripTrailingBackslash(link);
    link.Append(Backslash.CStr());
    link.Append(linkName);
    return link;
}

HRESULT CreateShortcut(const char* linkPath, const TLinkInfo& info, unsigned mask)
{
    CoInitialize(0);
    IShellLinkA* link = 0;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result)) {
        CoUninitialize();
        return result;
    }
    if (!(mask & LinkPath)) {
        result = -1;
    } else {
        link->SetPath(info.Path.CStr());
        if (mask & LinkArguments)
            link->SetArguments(info.Arguments.CStr());
        if (mask & LinkDescription)
            link->SetDescription(info.Description.CStr());
        if (mask & LinkHotkey)
            link->SetHotkey(info.Hotkey);
        if (mask & LinkIconLocation)
            link->SetIconLocation(info.IconLocation.CStr(), (mask & LinkIconIndex) ? info.IconIndex : 0);
        if (mask & LinkShowCmd)
            link->SetShowCmd(info.ShowCmd);
        if (mask & LinkWorkingDirectory)
            link->SetWorkingDirectory(info.WorkingDirectory.CStr());

        IPersistFile* file = 0;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            WCHAR widePath[LinkPathCapacity];
            // A path that does not fit is refused; a cut one would name some other file.
            if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, linkPath, -1, widePath, LinkPathCapacity))
                result = file->Save(widePath, TRUE);
            else
                result = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
            file->Release();
        }
    }
    link->Release();
    CoUninitialize();
    return result;
}
