// The shortcut set: seven shell locations of "Тиктон.lnk", and the one writer of link files.
#ifndef COMMON_SHORTCUT_H
#define COMMON_SHORTCUT_H

#include <windows.h>

#include "tstring.h"

// The locations. Install keeps one choice per location in this order, so the order is fixed.
enum TShortcutLocation {
    UserDesktopLocation,
    UserProgramsLocation,
    UserStartMenuLocation,
    QuickLaunchLocation,
    CommonDesktopLocation,
    CommonProgramsLocation,
    CommonStartMenuLocation,
    ShortcutLocationCount
};

// One location: where its folder comes from, when the system has it, and its box on the shortcuts
// page of both programs.
struct TShortcutPlace {
    TShortcutLocation Location;
    bool AllUsers;            // machine-wide: read from HKEY_LOCAL_MACHINE, changed only by an administrator
    const char* ShellFolder;  // the Shell Folders value that names the folder
    const char* Under;        // the part of the folder below that value
    const bool* Condition;    // the platform flag the location needs; none where every system has it
    int Box;
    const TShortcutPlace* Twin;  // for a user location, the all-users one of the same place; none for the others

    bool Exists() const { return !Condition || *Condition; }
};

// Every location, in the order in which shortcuts are made and removed: all-users, the user's, Quick Launch.
extern const TShortcutPlace ShortcutPlaces[ShortcutLocationCount];

// The row of a location.
const TShortcutPlace& ShortcutPlace(TShortcutLocation location);
// Whether the running system has the location at all (from the platform flags).
bool ShortcutLocationExists(TShortcutLocation location);
// The location's folder without a trailing backslash; empty when the location does not exist here
// or its Shell Folders value is missing, empty or not REG_SZ.
TString ReadShortcutFolder(TShortcutLocation location);
// The folder, one backslash and the link name; empty for an empty folder, so that no link ever lands
// in the root of the current drive.
TString LinkPathIn(const TString& folder, const char* linkName);

enum TLinkFields {
    LinkArguments = 0x01,
    LinkDescription = 0x02,
    LinkHotkey = 0x04,
    LinkIconLocation = 0x08,
    LinkIconIndex = 0x10,
    LinkPath = 0x20,
    LinkShowCmd = 0x40,
    LinkWorkingDirectory = 0x80,
    ProductLinkFields = LinkPath | LinkDescription | LinkWorkingDirectory
};

#pragma pack(push, 1)
struct TLinkInfo {
    TString Arguments;
    TString Description;
    WORD Hotkey;
    TString IconLocation;
    int IconIndex;
    TString Path;
    int ShowCmd;
    TString WorkingDirectory;
    TLinkInfo() : Hotkey(0), IconIndex(0), ShowCmd(0) {}
};
#pragma pack(pop)

// The product's link, written with ProductLinkFields: the program file in the folder, started in the
// folder as given (the installer's has its trailing backslash, the uninstaller's none), described.
TLinkInfo ProductLink(const TString& folder, const char* programFile, const TString& description);

// Writes the link file with the fields the mask names. Returns the failing HRESULT of the link
// object, that of the save, -1 when the mask lacks LinkPath, or a failure without writing when the
// link path does not fit 259 wide characters.
HRESULT CreateShortcut(const char* linkPath, const TLinkInfo& info, unsigned mask);

#endif
