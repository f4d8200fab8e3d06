// Shortcut set maintenance: the shortcuts page preset from the link files that exist, each all-users
// box tied to its per-user partner, and the set made to match the boxes on Finish.
#include "uninstaller.h"

#include "paths.h"
#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
bool MayChange(const TShortcutPlace& place) { return place.Exists() && (!place.AllUsers || IsAdministrator); }

bool LinkExists(const TShortcutPlace& place) { return place.Exists() && IsFile(LinkPaths[place.Location].CStr()); }
}

void ReadShortcutLocations()
{
    TString linkName;
    linkName.Load(Screen.Instance, IDS_LINK_NAME);
    for (const TShortcutPlace& place : ShortcutPlaces)
        if (place.Exists())
            LinkPaths[place.Location] = LinkPathIn(ReadShortcutFolder(place.Location), linkName.CStr());
}

void InitShortcutChoices(HWND page)
{
    ReadShortcutLocations();
    // A user's shortcut behind an all-users one of the same place is not offered back: the pair has one.
    bool ticked[ShortcutLocationCount];
    for (const TShortcutPlace& place : ShortcutPlaces)
        ticked[place.Location] = LinkExists(place) && !(place.Twin && LinkExists(*place.Twin));
    PresetShortcutBoxes(page, ticked, IsAdministrator);
}

// An unknown location is left alone: its link path would lie in the root of the current drive.
void MatchShortcutSet(const bool wanted[ShortcutLocationCount], const TLinkInfo& link)
{
    for (const TShortcutPlace& place : ShortcutPlaces) {
        const TString& path = LinkPaths[place.Location];
        if (!MayChange(place) || path.IsEmpty())
            continue;
        if (wanted[place.Location])
            CreateShortcut(path.CStr(), link, ProductLinkFields);
        else
            DeleteFileA(path.CStr());
    }
}

void ApplyShortcutChoices(HWND page)
{
    StripTrailingBackslash(InstallFolder);
    TString program, description;
    program.Load(Screen.Instance, IDS_PROGRAM_FILE);
    description.Load(Screen.Instance, IDS_LINK_DESCRIPTION);
    const TLinkInfo link = ProductLink(InstallFolder, program.CStr(), description);
    bool wanted[ShortcutLocationCount];
    ReadShortcutBoxes(page, wanted);
    MatchShortcutSet(wanted, link);
}
