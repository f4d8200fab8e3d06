// The installation record: how an earlier installation is recognised, and (with "fresh" or "reinstall")
// the values a successful run writes, which record_reg.sh reads back with Wine's own reg tool.
#include <windows.h>

#include "check.h"
#include "paths.h"
#include "record.h"
#include "registry.h"
#include "resource.h"

namespace {
void SetRaw(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

void TestInstalledState()
{
    const DWORD older = 0x33F, same = 0x340, newer = 0x341, highest = 0xFFFFFFFF;
    struct {
        const char* name;
        DWORD dirType;  // 0: no InstallDir value
        const char* dir;
        DWORD versionType;  // 0: no InstVersion value
        const void* version;
        TInstalledState state;
    } const cases[] = {
        {"empty key", 0, 0, 0, 0, NotInstalled},
        {"empty folder", REG_SZ, "", REG_DWORD, &same, NotInstalled},
        {"folder of another type", REG_EXPAND_SZ, "C:\\T\\", REG_DWORD, &same, NotInstalled},
        {"no version", REG_SZ, "C:\\T\\", 0, 0, OlderInstalled},
        {"version as text", REG_SZ, "C:\\T\\", REG_SZ, "832", OlderInstalled},
        {"version 0x33F", REG_SZ, "C:\\T\\", REG_DWORD, &older, OlderInstalled},
        {"version 0x340", REG_SZ, "C:\\T\\", REG_DWORD, &same, SameInstalled},
        {"version 0x341", REG_SZ, "C:\\T\\", REG_DWORD, &newer, NewerInstalled},
        {"version 0xFFFFFFFF", REG_SZ, "C:\\T\\", REG_DWORD, &highest, NewerInstalled},
    };
    for (const auto& c : cases) {
        DeleteRegTree(HKEY_LOCAL_MACHINE, ProductKey);
        HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
        if (c.dirType)
            SetRaw(key, InstallDirValue, c.dirType, c.dir, static_cast<DWORD>(strlen(c.dir) + 1));
        if (c.versionType)
            SetRaw(key, InstVersionValue, c.versionType, c.version, 4);  // "832" with its NUL, or a DWORD
        RegCloseKey(key);

        HKEY readOnly = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
        TString dir("left over");
        CHECK_CASE(ReadInstalledState(readOnly, dir) == c.state, c.name);
        CHECK_CASE(strcmp(dir.CStr(), c.state == NotInstalled ? "" : c.dir) == 0, c.name);
        RegCloseKey(readOnly);
    }
    DeleteRegTree(HKEY_LOCAL_MACHINE, ProductKey);
}

void WriteRecord(bool fresh, const char* folder, const char* existed, DWORD installedBytes)
{
    HINSTANCE module = GetModuleHandleA(0);
    TString notice, displayName;
    notice.Load(module, IDS_RECORD_NOTICE);
    displayName.Load(module, IDS_DISPLAY_NAME);
    const TString uninstaller = WindowsFolder().Concat("\\unTikton.exe");

    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    CHECK(key != 0);
    WriteProductValues(key, fresh, TString(folder), TString(existed), notice);
    RegCloseKey(key);
    WriteRegistrationEntries(TString(folder), displayName, uninstaller, installedBytes);

    key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
    TString dir;
    CHECK(ReadInstalledState(key, dir) == SameInstalled);
    RegCloseKey(key);
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "fresh") == 0)
        WriteRecord(true, "C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED\\", "C:\\Program Files\\", 1025);
    else if (argc > 1 && strcmp(argv[1], "reinstall") == 0)
        WriteRecord(false, "C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED\\", "C:\\Elsewhere\\", 2048);
    else
        TestInstalledState();
    return check::Finish("record");
}
