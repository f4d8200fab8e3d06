// Names and writers of the installation record that ties setup and the uninstaller together.
#include "record.h"

#include "folder_rules.h"
#include "paths.h"
#include "registry.h"

#define VENDOR "Vantorel"

const char ProductKey[] = "Software\\" VENDOR "\\\xD2\xE8\xEA\xF2\xEE\xED";
const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\\xD2\xE8\xEA\xF2\xEE\xED";
const char HelpKey[] = "Software\\Microsoft\\Windows\\Help";
const char AppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tikton.exe";

const char InstallDirValue[] = "InstallDir";
const char InstDirExistedValue[] = "InstDirExisted";
const char PendingInstallDirValue[] = "PendingInstallDir";
const char PendingInstDirExistedValue[] = "PendingInstDirExisted";
const char SetupRunningMutex[] = "Vantorel Tikton setup running";
const char MovedAsideKey[] = "Software\\Vantorel\\\xD2\xE8\xEA\xF2\xEE\xED\\MovedAside";
const char MovedAsideCommittedValue[] = "Committed";
const char InstVersionValue[] = "InstVersion";
const char DisplayNameValue[] = "DisplayName";
const char UninstallStringValue[] = "UninstallString";
const char DisplayVersionValue[] = "DisplayVersion";
const char PublisherValue[] = "Publisher";
const char DisplayIconValue[] = "DisplayIcon";
const char InstallLocationValue[] = "InstallLocation";
const char EstimatedSizeValue[] = "EstimatedSize";
const char Publisher[] = VENDOR;
const char HelpFileValue[] = "Tikton.hlp";
const char ProgramFileName[] = "Tikton.exe";

TInstalledState ReadInstalledState(HKEY productKey, TString& installDir)
{
    if (!ReadRegString(installDir, productKey, InstallDirValue))
        return NotInstalled;
    DWORD version = 0;
    if (!ReadRegDword(productKey, InstVersionValue, version) || version < ProductVersion)
        return OlderInstalled;
    return version > ProductVersion ? NewerInstalled : SameInstalled;
}

bool IsUsableFolderPair(const char* installDir, const char* existed)
{
    if (!IsValidInstallPath(installDir) || !IsValidInstallPath(existed))
        return false;
    TString folder(installDir), stop(existed);
    StripTrailingBackslash(folder);
    StripTrailingBackslash(stop);
    return SamePath(stop.CStr(), folder.CStr()) || IsAncestorFolder(stop.CStr(), folder.CStr());
}

void WriteProductValues(HKEY productKey, bool fresh, const TString& installDir, const TString& existed,
                        const TString& notice)
{
    TString stored;
    if (fresh) {
        WriteRegString(installDir, productKey, InstallDirValue);
        WriteRegString(existed, productKey, InstDirExistedValue);
    } else if (!ReadRegString(stored, productKey, InstDirExistedValue)
               || !IsUsableFolderPair(installDir.CStr(), stored.CStr())) {
        // An older record without it, or with one the uninstaller refuses, could never be removed; the
        // folder itself keeps every folder.
        TString folder(installDir);
        StripTrailingBackslash(folder);
        WriteRegString(folder, productKey, InstDirExistedValue);
    }
    WriteRegDword(productKey, InstVersionValue, ProductVersion);
    WriteRegString(notice, productKey, 0);
}

namespace {
// The version as the list of installed programs shows it: 0x340 is "3.40" (one digit before the point).
TString DisplayVersion(DWORD version)
{
    // Written out by hand: the printf family would be one more import for one string.
    const char digits[] = "0123456789ABCDEF";
    const char text[] = {digits[version >> 8 & 0xF], '.', digits[version >> 4 & 0xF], digits[version & 0xF], '\0'};
    return TString(text);
}
}

void WriteRegistrationEntries(const TString& installDir, const TString& displayName,
                              const TString& uninstallerPath, DWORD installedBytes)
{
    TString folder(installDir);
    StripTrailingBackslash(folder);
    TString programPath(folder);
    programPath.Append(Backslash.CStr());
    programPath.Append(ProgramFileName);

    HKEY uninstall = OpenRegKey(HKEY_LOCAL_MACHINE, UninstallKey, true, false);
    WriteRegString(displayName, uninstall, DisplayNameValue);
    WriteRegString(uninstallerPath, uninstall, UninstallStringValue);
    WriteRegString(DisplayVersion(ProductVersion), uninstall, DisplayVersionValue);
    WriteRegString(TString(Publisher), uninstall, PublisherValue);
    WriteRegString(programPath, uninstall, DisplayIconValue);
    WriteRegString(folder, uninstall, InstallLocationValue);
    // The list expects kilobytes; a part of one counts as one.
    WriteRegDword(uninstall, EstimatedSizeValue, installedBytes / 1024 + (installedBytes % 1024 ? 1 : 0));
    if (uninstall)
        RegCloseKey(uninstall);

    WriteRegStringAt(folder, HKEY_LOCAL_MACHINE, HelpKey, HelpFileValue);
    WriteRegStringAt(programPath, HKEY_LOCAL_MACHINE, AppPathKey, 0);
}
