// Install as a whole: start-up checks, the hand-over after the wizard, and what it hands over to.
#ifndef INSTALL_INSTALLER_H
#define INSTALL_INSTALLER_H

#include <windows.h>

// Exit codes of Install.
enum TInstallExit {
    ExitWindowFailed = 0,
    ExitNormal = 1,
    ExitNewerInstalled = 253,
    ExitOlderInstalled = 254,
    ExitNotAllowed = 255,
};

// WinMain's whole work; returns the exit code.
int RunInstaller(HINSTANCE instance);

// Fills the shortcut folders, the program-files folder and the uninstaller's path.
void ResolveLocations();
// Reads an earlier installation's record; returns an exit code to stop with, or ExitNormal to go on,
// `fresh` then telling a new installation from maintenance of the installed copy.
int CheckEarlierInstallation(bool& fresh);

// Which pages the wizard shows, by FreshInstall.
void SelectInstallerPages();
// After the wizard: the engine for a new installation or Reinstall, otherwise the uninstaller.
void HandOver(HWND background);
// The installation itself; does nothing unless the wizard was finished.
void RunInstallation();
// The ticked shortcuts of a new installation, in their fixed order.
void CreateProductShortcuts();
// Starts the registered uninstaller without waiting, or opens Add or Remove Programs instead.
void StartUninstaller(HWND owner);

#endif
