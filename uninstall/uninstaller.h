// unTikton as a whole: start-up checks, the wizard's pages, the removal worker and the shortcut set.
#ifndef UNINSTALL_UNINSTALLER_H
#define UNINSTALL_UNINSTALLER_H

#include <windows.h>

#include <stdint.h>

#include "screen.h"
#include "switches.h"

// Exit codes of unTikton: 0 and 255 with or without switches; unattended (/S), a removal that left
// something behind (what the list page would show) ends with a code of its own.
enum TUninstallExit {
    ExitDone = 0,
    ExitLeftBehind = 3,
    ExitRefused = 255,
};

// WinMain's whole work, with the command line after the program's name; returns the exit code.
int RunUninstaller(HINSTANCE instance, const char* commandLine = "");
// The record checks, in their order; returns 0 to go on or the text of the message to stop with.
UINT CheckRecord();
// The banner's texts and settings from the string table and the data resources.
void LoadBanner(HINSTANCE instance);

INT_PTR CALLBACK ActionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InterfacePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NotRemovedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
void InitActionPage(HWND page);
extern const TWizardPage UninstallerPages[];
extern const int UninstallerPageCount;

// Shortcut set maintenance.
void ReadShortcutLocations();
void InitShortcutChoices(HWND page);
void ApplyShortcutChoices(HWND page);
// Creates the shortcut of every wanted location (by TShortcutLocation) and deletes the others, at the
// locations this user may change.
void MatchShortcutSet(const bool wanted[ShortcutLocationCount], const TLinkInfo& link);

// A drive that is not there (a network or removable drive, a SUBST) fails every deletion as "not
// found": the removal would report success and take the record, with the files still on that drive.
bool InstallDriveReachable();
// Whether the removal listed anything it could not remove.
bool AnythingNotRemoved();
// The removal worker, started with _beginthread by the progress page; unattended, called with no page.
void __cdecl RunRemoval(void* page);
// How the progress page starts the worker: _beginthread, or in tests a start that fails as it can.
typedef uintptr_t(__cdecl* TThreadStart)(void(__cdecl* routine)(void*), unsigned stackSize, void* argument);
extern TThreadStart StartRemovalThread;
void ShowStage(HWND page, int mark);

// After the screen has closed: removes the uninstaller's own file, only after a complete removal.
void RemoveSelf();
// Whether a DOS program starts here without anyone being asked: the version the system reports, and
// whether this is a 32-bit program on a 64-bit Windows.
bool DosProgramsRunOn(const OSVERSIONINFOA& version, bool wow64);
// Whether the DOS deletion program can be given the uninstaller's path, by its long and short forms.
bool DosTakesPath(const char* longPath, const char* shortPath);
// Leaves the file to the system to delete when it next starts (the 95 family needs its short path).
bool DeleteAtRestart(const char* fullPath, const char* shortPath);

#endif
