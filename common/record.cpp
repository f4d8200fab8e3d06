// Names and writers of the installation record that ties setup and the uninstaller together.
#include "record.h"

#include "folder_rules.h"
#include "paths.h"
#include "registry.h"

const char ProductKey[] = "Software\\Vantorel\\\xD2\xE8\xEA\xF2\xEE\xED";
const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\\xD2\xE8\xEA\xF2\xEE\xED";
const char HelpKey[] = "Software\\Microsoft\\Windows\\Help";
const char AppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tikton.exe";

const char InstallDirValue[] = "InstallDir";
const char InstDirExistedValue[] = "InstDirExisted";
const char PendingInstallDirValue[] = "PendingInstallDir";
const char PendingInstDirExistedValue[] = "PendingInstDirExisted";
const char InstVersionValue[] = "InstVersion";
const char DisplayNameValue[] = "DisplayName";
const char UninstallStringValue[] = "UninstallString";
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
    } else if (!ReadRegString(stored, productKey, InstDirExistedValue)) {
        // An older record without it could never be removed; the folder itself keeps every folder.
        TString folder(installDir);
        StripTrailingBackslash(folder);
        WriteRegString(folder, productKey, InstDirExistedValue);
    }
    WriteRegDword(productKey, InstVersionValue, ProductVersion);
    WriteRegString(notice, productKey, 0);
}

void WriteRegistrationEntries(const TString& installDir, const TString& displayName,
                              const TString& uninstallerPath)
{
    HKEY uninstall = OpenRegKey(HKEY_LOCAL_MACHINE, UninstallKey, true, false);
    WriteRegString(displayName, uninstall, DisplayNameValue);
    WriteRegString(uninstallerPath, uninstall, UninstallStringValue);
    if (uninstall)
        RegCloseKey(uninstall);

    TString helpFolder(installDir);
    StripTrailingBackslash(helpFolder);
    WriteRegStringAt(helpFolder, HKEY_LOCAL_MACHINE, HelpKey, HelpFileValue);

    TString programPath(helpFolder);
    programPath.Append(Backslash.CStr());
    programPath.Append(ProgramFileName);
    WriteRegStringAt(programPath, HKEY_LOCAL_MACHINE, AppPathKey, 0);
}
