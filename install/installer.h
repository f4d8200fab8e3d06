// Install as a whole: start-up checks, the hand-over after the wizard, and what it hands over to.
#ifndef INSTALL_INSTALLER_H
#define INSTALL_INSTALLER_H

#include <windows.h>

#include "shortcut.h"
#include "switches.h"
#include "tstring.h"

// Exit codes of Install. Started without switches it ends with 1, 0, 253, 254 or 255; unattended (/S)
// with 0 once installed, 253 to 255 as before any window, and a code of its own for each failure.
enum TInstallExit {
    ExitWindowFailed = 0,
    ExitNormal = 1,
    ExitNewerInstalled = 253,
    ExitOlderInstalled = 254,
    ExitNotAllowed = 255,
    // Unattended only.
    ExitInstalled = 0,
    ExitFolderRefused = 3,  // the folder page's text rules, or longer than a folder can be
    ExitDriveRefused = 4,   // a floppy, CD-ROM or RAM disk, or too little free space
    ExitRegistryFailed = 5,
    ExitFolderFailed = 6,   // the folder could not be created
    ExitArchiveFailed = 7,  // the archive is missing or damaged; what the run wrote is taken back
    ExitRollBackIncomplete = 8,  // as 7, but a folder the run made could not be removed again
};

// WinMain's whole work, with the command line after the program's name; returns the exit code.
int RunInstaller(HINSTANCE instance, const char* commandLine = "");

// Fills the shortcut folders, the program-files folder and the uninstaller's path.
void ResolveLocations();
// Reads an earlier installation's record; returns an exit code to stop with, or ExitNormal to go on,
// `fresh` then telling a new installation from maintenance of the installed copy.
int CheckEarlierInstallation(bool& fresh);

// Which pages the wizard shows, by FreshInstall.
void SelectInstallerPages();
// After the wizard: the engine for a new installation or Reinstall, otherwise the uninstaller.
void HandOver(HWND background);
// The installation itself; does nothing unless the wizard was finished. Returns the unattended run's
// exit code: ExitInstalled, or the failure's.
int RunInstallation();
// The ticked shortcuts of a new installation, in their fixed order.
void CreateProductShortcuts();
// What the wizard's pages decide, for a run without them: the folder the folder page offers, the text
// of the message it refuses a folder with (0: accepted), and the shortcuts the shortcuts page shows
// ticked when it first comes up on this system.
TString DefaultInstallFolder();
UINT FolderRefusal(const char* folder);
void FirstViewShortcuts(bool chosen[ShortcutLocationCount]);

// Starts the registered uninstaller without waiting, or opens Add or Remove Programs instead.
void StartUninstaller(HWND owner);

#endif
