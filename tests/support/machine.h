// The installation record as the tests set it up before a program starts, and read it back after.
#ifndef TESTS_SUPPORT_MACHINE_H
#define TESTS_SUPPORT_MACHINE_H

#include <windows.h>

#include <string>

bool KeyExists(const char* path, HKEY hive = HKEY_LOCAL_MACHINE);

// The product key alone, the vendor's key emptied first: InstallDir and InstDirExisted where given,
// InstVersion of the given type (REG_NONE: none; REG_SZ: a version as text). No key at all when
// nothing is given.
void SetProductKey(const char* installDir, const char* existedDir = 0, DWORD versionType = REG_NONE,
                   DWORD version = 0);

// The product key with the given InstallDir (null: no key at all) and InstVersion, and the Uninstall
// entry naming `uninstaller` when it is not empty.
void SetRecord(const char* installDir, DWORD versionType = REG_NONE, DWORD version = 0,
               const std::string& uninstaller = "");

// How the details the Uninstall entry gives the list of installed programs differ from an installation
// into `folder` (no trailing backslash): version, publisher, the program as icon, the folder, and the
// kilobytes of the kit's files there and of `uninstaller`, measured on the disk. Empty when they agree.
std::string EntryDetailsMismatch(const std::string& folder, const std::string& uninstaller);

#endif
