// Install's program-wide state: what start-up learns and what the wizard decides. The instance, the
// background window, the banner texts and the imaging library are the setup screen's (Screen).
#ifndef INSTALL_STATE_H
#define INSTALL_STATE_H

#include <windows.h>

#include "screen.h"
#include "shortcut.h"
#include "tstring.h"

#pragma pack(push, 1)
struct TInstallChoices {
    bool Confirmed;  // the wizard was left with Finish; until then the engine does nothing
    char InstallFolder[MAX_PATH];
    bool Shortcuts[ShortcutLocationCount];  // a shortcut to create at each location
};
#pragma pack(pop)
static_assert(sizeof(TInstallChoices) == 1 + MAX_PATH + 7, "the seven shortcut flags follow the folder, one byte each");

enum TMaintenanceAction { Reinstall = 0, ChangeInterface = 1, Remove = 2 };

extern TInstallChoices InstallChoices;
extern bool FreshInstall;
extern int MaintenanceAction;
extern TString UninstallerPath;
// The seven shortcut folders without a trailing backslash, empty where the location does not exist.
extern TString ShortcutFolders[ShortcutLocationCount];
extern TString ProgramFilesFolder;
// The installation folder as the engine works with it, with exactly one trailing backslash.
extern TString TargetFolder;

// The folder page's text shared with the shell folder browser.
extern char BrowseBuffer[MAX_PATH];

#endif
