// The installation record under HKEY_LOCAL_MACHINE that setup writes and the uninstaller reads and removes.
#ifndef COMMON_RECORD_H
#define COMMON_RECORD_H

#include <windows.h>

#include "tstring.h"

const DWORD ProductVersion = 0x340;

extern const char ProductKey[];      // holds InstallDir, InstDirExisted, InstVersion and a warning
extern const char UninstallKey[];    // DisplayName, UninstallString and the details the list of installed
                                     // programs shows
extern const char HelpKey[];         // shared with other programs: only our value is ours
extern const char AppPathKey[];      // lets the shell start the program by its file name

extern const char InstallDirValue[];
extern const char InstDirExistedValue[];
// Setup's note of the folder a new installation is unpacking into and the deepest folder that existed
// before it, until the record is written: values of setup's own, never read by the uninstaller.
extern const char PendingInstallDirValue[];
extern const char PendingInstDirExistedValue[];
// Setup's note of the files it moved aside before overwriting them (values: the copy's path, holding the
// file's own path), and the mark that the record they were kept for has been written.
extern const char MovedAsideKey[];
extern const char MovedAsideCommittedValue[];
// Held by every running setup: a second one must not put back files the first has just moved aside.
extern const char SetupRunningMutex[];
extern const char InstVersionValue[];
extern const char DisplayNameValue[];
extern const char UninstallStringValue[];
// Shown by the list of installed programs; written by this kit from 3.40 on, so no reader may need them.
extern const char DisplayVersionValue[];
extern const char PublisherValue[];
extern const char DisplayIconValue[];
extern const char InstallLocationValue[];
extern const char EstimatedSizeValue[];
extern const char Publisher[];
extern const char HelpFileValue[];
extern const char ProgramFileName[];

enum TInstalledState { NotInstalled, OlderInstalled, SameInstalled, NewerInstalled };

// What the record in the open product key says about an earlier installation. A missing or empty
// InstallDir means not installed; InstallDir is then left empty and the version is not looked at.
TInstalledState ReadInstalledState(HKEY productKey, TString& installDir);

// Whether InstallDir and InstDirExisted are a pair setup can write: both keep the folder rules, and the
// existing folder is the installation folder itself or lies above it. Removal climbs by no other.
bool IsUsableFolderPair(const char* installDir, const char* existed);

// The product key's values after a successful extraction: the folder pair only on a fresh
// installation (folder with its one trailing backslash, and the deepest folder that already existed);
// on a reinstallation only a missing existing folder, as the folder itself without its backslash; then
// the version and the key's default value, in that order.
void WriteProductValues(HKEY productKey, bool fresh, const TString& installDir, const TString& existed,
                        const TString& notice);
// The Uninstall entry, the help value and the application path; failures are not reported.
// installedBytes: what the installation put on the disk, the uninstaller included.
void WriteRegistrationEntries(const TString& installDir, const TString& displayName,
                              const TString& uninstallerPath, DWORD installedBytes);

#endif
