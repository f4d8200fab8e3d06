// The installation record, set up and read back.
#include "machine.h"

#include "record.h"
#include "registry.h"

namespace {
// Written byte for byte, however long.
void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}
}

bool KeyExists(const char* path, HKEY hive)
{
    HKEY key = 0;
    if (RegOpenKeyExA(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetProductKey(const char* installDir, const char* existedDir, DWORD versionType, DWORD version)
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
    if (!installDir && !existedDir && versionType == REG_NONE)
        return;
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    if (installDir)
        SetText(key, InstallDirValue, installDir);
    if (existedDir)
        SetText(key, InstDirExistedValue, existedDir);
    if (versionType == REG_DWORD)
        WriteRegDword(key, InstVersionValue, version);
    else if (versionType == REG_SZ)
        SetText(key, InstVersionValue, "832");
    RegCloseKey(key);
}

void SetRecord(const char* installDir, DWORD versionType, DWORD version, const std::string& uninstaller)
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    if (!uninstaller.empty())
        WriteRegStringAt(TString(uninstaller.c_str()), HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue);
    if (installDir)
        SetProductKey(installDir, 0, versionType, version);
    else
        DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
}
