// The self-removal's choice of its way, which no run under Wine shows: whether a DOS program starts
// unasked on each system (a 32-bit build; a 64-bit one never takes the DOS way), whether the DOS program
// can be given a path, and the 95 family's deletion at the next start through WININIT.INI.
#include <windows.h>

#include <string>

#include "check.h"
#include "files.h"
#include "paths.h"
#include "platform.h"
#include "uninstaller.h"

namespace {
OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    return version;
}

// A 64-bit build never takes the DOS way, so there every row expects false; the rows are tried for
// what they say in mode x86.
void TestSystems()
{
    const DWORD Nt = VER_PLATFORM_WIN32_NT, Nine = VER_PLATFORM_WIN32_WINDOWS;
    struct {
        const char* name;
        DWORD platform, major, minor;
        bool wow64, runs;  // runs: for a 32-bit build
    } const cases[] = {
        {"95", Nine, 4, 0, false, true},        {"98", Nine, 4, 10, false, true},
        {"Me", Nine, 4, 90, false, true},       {"NT 4.0", Nt, 4, 0, false, true},
        {"2000", Nt, 5, 0, false, true},        {"XP", Nt, 5, 1, false, true},
        {"Vista", Nt, 6, 0, false, true},       {"7", Nt, 6, 1, false, true},
        {"8 and later", Nt, 6, 2, false, false}, {"8.1 with a manifest", Nt, 6, 3, false, false},
        {"10 with a manifest", Nt, 10, 0, false, false}, {"XP x64", Nt, 5, 2, true, false},
        {"7 x64", Nt, 6, 1, true, false},        {"Win32s", VER_PLATFORM_WIN32s, 3, 10, false, false},
    };
    for (const auto& c : cases)
        CHECK_CASE(DosProgramsRunOn(Version(c.platform, c.major, c.minor), c.wow64) == (c.runs && sizeof(void*) == 4),
                   c.name);
}

void TestPaths()
{
    const std::string at67 = "C:\\" + std::string(51, 'A') + "\\unTikton.exe";  // 3 + 51 + 13 = 67
    struct {
        const char* name;
        std::string longPath, shortPath;
        bool takes;
    } const cases[] = {
        {"the Windows folder", "C:\\WINDOWS\\unTikton.exe", "C:\\WINDOWS\\UNTIKTON.EXE", true},
        {"blanks in the long name only", "C:\\Program Files\\Setup Tools\\unTikton.exe",
         "C:\\PROGRA~1\\SETUPT~1\\UNTIKTON.EXE", true},
        {"a blank in the short name", "C:\\A B\\unTikton.exe", "C:\\A B\\unTikton.exe", false},
        {"67 characters, as many as DOS takes", at67, at67, true},
        {"68 characters", at67 + "x", at67 + "x", false},
        {"Cyrillic letters in the short name", "C:\\Тиктон\\unTikton.exe", "C:\\ТИКТОН\\UNTIKTON.EXE", false},
        {"Cyrillic letters in the long name only", "C:\\Program Files\\Удаление Тиктона\\unTikton.exe",
         "C:\\PROG~FBU\\____~NGX\\unTikton.exe", false},
        {"no short name", "C:\\WINDOWS\\unTikton.exe", "", false},
    };
    for (const auto& c : cases)
        CHECK_CASE(DosTakesPath(c.longPath.c_str(), c.shortPath.c_str()) == c.takes, c.name);
}

// On the 95 family the pending deletion is one more line of WININIT.INI's [rename] section; what other
// programs left there stays.
void TestRestart9x()
{
    OSVERSIONINFOA version = Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
    SetPlatformFlags(version, UseWithoutFreeSpace);
    const std::string file = WindowsFolder().Concat("\\WININIT.INI").CStr();
    const char line[] = "NUL=C:\\DEEP\\UNTIKTON.EXE\r\n";
    struct {
        const char* name;
        std::string before, after;
    } const cases[] = {
        {"no file", "", std::string("[rename]\r\n") + line},
        {"another program's line", "[Rename]\r\nNUL=C:\\OTHER.EXE\r\n", std::string("[Rename]\r\n") + line + "NUL=C:\\OTHER.EXE\r\n"},
        {"another section, no line end", "[other]\r\nx=1", std::string("[other]\r\nx=1\r\n[rename]\r\n") + line},
    };
    for (const auto& c : cases) {
        DeleteFileA(file.c_str());
        if (!c.before.empty())
            WriteBytes(file, c.before);
        CHECK_CASE(DeleteAtRestart("C:\\deep\\unTikton.exe", "C:\\DEEP\\UNTIKTON.EXE"), c.name);
        CHECK_TEXT(ReadBytes(file).c_str(), c.after.c_str());
    }
    DeleteFileA(file.c_str());
}
}

int main()
{
    TestSystems();
    TestPaths();
    TestRestart9x();
    return check::Finish("uninstall self-removal rule");
}
