// Shell locations of the product's shortcut, and link files written through the shell's link object.
#include "shortcut.h"

#include <shlobj.h>

#include "paths.h"
#include "platform.h"
#include "registry.h"

namespace {
const char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char QuickLaunchUnderAppData[] = "\\Microsoft\\Internet Explorer\\Quick Launch";

struct TLocationSource {
    bool machineWide;
    const char* value;
};

const TLocationSource LocationSources[ShortcutLocationCount] = {
    {false, "Desktop"},        {false, "Programs"},        {false, "Start Menu"},        {false, "AppData"},
    {true, "Common Desktop"},  {true, "Common Programs"},  {true, "Common Start Menu"},
};

const size_t LinkPathCapacity = MAX_PATH;
}

bool ShortcutLocationExists(TShortcutLocation location)
{
    if (location == QuickLaunchLocation)
        return QuickLaunchSupported;
    return !LocationSources[location].machineWide || IsWinNT;
}

TString ReadShortcutFolder(TShortcutLocation location)
{
    TString folder;
    if (!ShortcutLocationExists(location))
        return folder;
    const TLocationSource& source = LocationSources[location];
    ReadRegStringAt(folder, source.machineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, ShellFoldersKey,
                    source.value);
    StripTrailingBackslash(folder);
    if (location == QuickLaunchLocation && !folder.IsEmpty())
        folder.Append(QuickLaunchUnderAppData);
    return folder;
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
