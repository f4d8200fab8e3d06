// What the scenarios of the uninstaller's end-to-end test share: the programs and places, the
// installation from the kit, the way to the action page and through a complete removal, and the checks
// of what a removal leaves. Each scenario group has its file; removal_test.cpp chooses one by argv[4].
#ifndef TESTS_UNINSTALL_REMOVAL_TEST_H
#define TESTS_UNINSTALL_REMOVAL_TEST_H

#include <windows.h>

#include <string>

#include "driver.h"
#include "uninstall_ids.h"

namespace removal {

using namespace uninstall_ids;

extern std::string KitInstall, Application, Shots;  // argv[1] to argv[3]; no screenshots when "-"
const char Folder[] = "C:\\Program Files\\Тиктон";
const char Uninstaller[] = "C:\\windows\\unTikton.exe";
const char DeleteMe[] = "C:\\windows\\DeleteMe.com";
const char DeleteScript[] = "C:\\windows\\DeleteMe.cmd";
// DOSBox, or the command interpreter, starts, waits for the uninstaller to end and deletes: well within this.
const DWORD SelfRemovalTimeout = 60000;

// The product's shortcut in a shell folder of the hive (a value of Explorer's Shell Folders), and in Quick Launch.
std::string Link(HKEY hive, const char* value);
std::string QuickLaunchLink();

// A screenshot of what the test has just checked, once `shown` has painted it.
void Shot(HWND shown, const char* name);

// The shortcut boxes as a new installation leaves them: the Programs menu ticked (all-users on the NT
// family, where the user's box is locked), Quick Launch where the system has it, and the user's desktop
// when setup ticked it.
void CheckShortcutBoxes(HWND page, bool desktopTicked, const char* what);

// A newcomer's installation from the kit: default folder, the shortcuts offered, the user's desktop too.
// With `everyBox`, every box the system offers is ticked: all-users ones where it has them, otherwise
// the user's (the two of a place cannot both be ticked). A folder given is typed in place of the offered one.
bool InstallWithKit(bool everyBox = false, const std::string& folder = "");

// Welcome, then the action page; the uninstaller's sheet.
HWND ToAction(driver::TProgram& uninstaller);

// Chooses removal and waits for the worker to open a way out; true when that was Close.
bool RemoveAll(HWND sheet);

// The uninstaller's file renamed to a name of its own in `folder` before its deletion, or "".
std::string MovedAside(const std::string& folder);
// The uninstaller in `folder`, under either name, and its deletion program or script, gone in time.
bool SelfRemoved(const std::string& folder = "C:\\windows");

// The record after a removal: the product's keys and values gone, the shared keys kept.
void CheckRecordGone();

// The scenarios, by file. removal_outcomes.cpp:
void Complete();
void LeftBehind();
void Faults();
// removal_startup.cpp:
void StartupChecks();
void Shortcuts();
// removal_self.cpp:
void SelfRemoval();
// removal_lifecycle.cpp:
void LifeCycle(const std::string& version);
void Repeated();
// removal_unattended.cpp:
void UnattendedRuns();

}  // namespace removal

#endif
