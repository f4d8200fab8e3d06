// The installation record, set up and read back.
#include "machine.h"

#include "files.h"
#include "record.h"
#include "registry.h"

namespace {
// Written byte for byte, however long.
void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

std::string EntryText(const char* name)
{
    TString text;
    ReadRegStringAt(text, HKEY_LOCAL_MACHINE, UninstallKey, name);
    return text.CStr();
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

std::string EntryDetailsMismatch(const std::string& folder, const std::string& uninstaller)
{
    size_t bytes = ReadBytes(uninstaller).size();
    for (const char* name : {"Tikton.exe", "Tikton.hlp", "Tikton.cnt", "Tikton.gid"})
        bytes += ReadBytes(folder + "\\" + name).size();
    DWORD kilobytes = 0;
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, UninstallKey, false, true);
    const bool sized = ReadRegDword(key, EstimatedSizeValue, kilobytes);
    if (key)
        RegCloseKey(key);

    const struct {
        const char* name;
        std::string actual, expected;
    } values[] = {
        {DisplayVersionValue, EntryText(DisplayVersionValue), "3.40"},
        {PublisherValue, EntryText(PublisherValue), "Vantorel"},
        {DisplayIconValue, EntryText(DisplayIconValue), folder + "\\Tikton.exe"},
        {InstallLocationValue, EntryText(InstallLocationValue), folder},
        {EstimatedSizeValue, sized ? std::to_string(kilobytes) : "none", std::to_string((bytes + 1023) / 1024)},
    };
    std::string mismatch;
    for (const auto& value : values)
        if (value.actual != value.expected)
            mismatch += std::string(value.name) + " " + value.actual + " instead of " + value.expected + "; ";
    return mismatch;
}
