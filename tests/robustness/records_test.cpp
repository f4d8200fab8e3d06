// The installation record as others may have left it: each value missing, empty, of another type or
// too long, for the uninstaller's start-up checks and for the installer's view of an earlier
// installation. Each gives the outcome the rules say; nothing crashes.
#include <windows.h>

#include <string>

#include "check.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "uninstaller.h"

namespace {
enum TShape { Missing, Empty, Good, Expand, Binary, TooLong, Dword, Text832, Older };

void Put(HKEY key, const char* name, TShape shape, const char* good)
{
    const std::string tooLong(2000, 'a');
    const DWORD version = ProductVersion, older = ProductVersion - 1;
    switch (shape) {
    case Missing: break;
    case Empty: RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1); break;
    case Good: RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(good), lstrlenA(good) + 1); break;
    case Expand: RegSetValueExA(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(good), lstrlenA(good) + 1); break;
    case Binary: RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(good), 4); break;
    case TooLong: RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()), 2001); break;
    case Dword: RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&version), 4); break;
    case Text832: RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("832"), 4); break;
    case Older: RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&older), 4); break;
    }
}

bool Usable(TShape shape) { return shape == Good; }

// Folder pairs of a record otherwise sound: only what setup can write gets past the uninstaller.
struct TFolderPair {
    const char* installDir;
    const char* existed;
    bool usable;
};
const TFolderPair FolderPairs[] = {
    {"C:\\Program Files\\Тиктон\\", "C:\\Program Files\\", true},
    {"C:\\Program Files\\Тиктон\\", "C:\\", true},
    {"C:\\Program Files\\Тиктон\\", "c:\\program files\\Тиктон", true},  // the folder existed whole
    {"D:\\Тиктон", "D:\\", true},
    {"C:\\Data\\\\Тиктон\\", "C:\\Data\\", false},
    {"C:\\Data\\.\\Тиктон\\", "C:\\Data\\", false},
    {"C:\\Data\\..\\Тиктон\\", "C:\\", false},
    {"Tikton\\", "Tikton\\", false},
    {"C:\\Program Files\\Тиктон\\", "\\", false},
    {"C:\\Program Files\\Тиктон\\", "C:\\Program Files\\..\\", false},
    {"C:\\Program Files\\Тиктон\\", "D:\\", false},
    {"C:\\Program Files\\Тиктон\\", "C:\\Program\\", false},
    {"C:\\Program Files\\Тиктон\\", "C:\\Program Files\\Другая\\", false},
    {"C:\\Program Files\\Тиктон\\", "C:\\Program Files\\ТИКТОН\\", false},
    {"C:\\Program Files\\Тиктон\\", "C:\\Program Files\\Тиктон\\Inner\\", false},
};
}

int main()
{
    Screen.Instance = GetModuleHandleA(0);
    const TShape texts[] = {Missing, Empty, Good, Expand, Binary, TooLong, Dword};
    const TShape versions[] = {Missing, Dword, Text832, Older, Binary, Empty};
    int cases = 0, wrong = 0;
    for (TShape dir : texts)
        for (TShape existed : texts)
            for (TShape version : versions) {
                ++cases;
                DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
                HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
                Put(key, InstallDirValue, dir, "C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED\\");
                Put(key, InstDirExistedValue, existed, "C:\\Program Files\\");
                Put(key, InstVersionValue, version, "");
                RegCloseKey(key);
                // The uninstaller's order: the folder pair, then the version, then the folder again.
                UINT expected = 0;
                if (Usable(dir) && !Usable(existed))
                    expected = IDS_BADLY_INSTALLED;
                else if (version != Dword)
                    expected = IDS_OTHER_VERSION;
                else if (!Usable(dir))
                    expected = IDS_NOT_INSTALLED;
                const UINT outcome = CheckRecord();
                // The installer: a usable folder means installed; its version decides what kind.
                key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
                TString folder;
                const TInstalledState state = ReadInstalledState(key, folder);
                RegCloseKey(key);
                const TInstalledState expectedState = !Usable(dir) ? NotInstalled
                    : version == Dword ? SameInstalled : OlderInstalled;
                if (outcome != expected || state != expectedState) {
                    ++wrong;
                    printf("folder %d, existed %d, version %d: uninstaller %u (expected %u), installer %d (expected %d)\n",
                           dir, existed, version, outcome, expected, state, expectedState);
                }
            }
    for (const TFolderPair& pair : FolderPairs) {
        ++cases;
        DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
        HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
        Put(key, InstallDirValue, Good, pair.installDir);
        Put(key, InstDirExistedValue, Good, pair.existed);
        Put(key, InstVersionValue, Dword, "");
        RegCloseKey(key);
        const UINT expected = pair.usable ? 0 : IDS_BADLY_INSTALLED;
        const UINT outcome = CheckRecord();
        if (outcome != expected) {
            ++wrong;
            printf("folder %s, existed %s: uninstaller %u (expected %u)\n", pair.installDir, pair.existed, outcome,
                   expected);
        }
    }
    CHECK_EQ(wrong, 0);
    printf("| registry state left by others | %d | %d | %d | 0 |\n", cases, cases - wrong, wrong);
    return check::Finish("records");
}
