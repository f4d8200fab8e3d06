// Folder text rules and the drive test, on Wine's drives of every kind (D: fixed, E: CD-ROM, F: floppy,
// R: RAM disk) and, for exact free-space figures, through the free-space function the platform flags hold.
#include <windows.h>

#include "check.h"
#include "folder_check.h"
#include "platform.h"
#include "modules.h"

namespace {
ULONGLONG FakeTotalFree;
bool FakeFails;
char FakeRoot[MAX_PATH];

BOOL WINAPI FakeFreeSpace(const char* root, ULARGE_INTEGER* toCaller, ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree)
{
    lstrcpynA(FakeRoot, root, sizeof FakeRoot);
    // Only the total free bytes count, not what a quota leaves to the caller.
    toCaller->QuadPart = FakeTotalFree > 10 ? FakeTotalFree - 10 : 0;
    total->QuadPart = FakeTotalFree * 2;
    totalFree->QuadPart = FakeTotalFree;
    return !FakeFails;
}

void TestValidPaths()
{
    struct {
        const char* path;
        bool valid;
    } const cases[] = {
        {"", false},
        {"C:\\Program Files\\Тиктон", true},
        {"C:\\Program Files\\Тиктон\\", true},
        {"\\\\server\\share\\Тиктон", false},
        {"\\Тиктон", false},
        {"C:\\\\Тиктон", false},
        {"C:\\A\\\\B", false},
        {"C:\\Тик?тон", false},
        {"C:\\Тик*тон", false},
        {"C:\\\"Тиктон\"", false},
        {"C:\\A:B", false},
        {":\\A", false},
        {"CC:\\A", false},
        {"C::\\A", false},
        {"D:\\", true},
        {"c:\\Тиктон", true},
        // The last letter, both cases: a drive letter runs from a to z.
        {"Z:\\Тиктон", true},
        {"z:\\Тиктон", true},
        // Only a path from a drive's root: anything else lands below setup's current folder.
        {"Тиктон", false},
        {"C:", false},
        {"C:Тиктон", false},
        {"..\\Тиктон", false},
        {".\\X", false},
        {"C:..\\X", false},
        {"Sub\\X", false},
        {"1:\\X", false},
        {"\xD2:\\X", false},
        // A part of dots alone ("." "..", and "..." which the system cuts to nothing) names another folder
        // than the text says: the chain setup records would not be the disk's.
        {"C:\\Data\\.\\Тиктон", false},
        {"C:\\Data\\..\\Тиктон", false},
        {"C:\\Data\\..", false},
        {"C:\\.\\", false},
        {"C:\\A\\...\\B", false},
        {"C:\\.Тиктон\\..x\\x..", true},
    };
    for (const auto& c : cases)
        CHECK_CASE(IsValidInstallPath(c.path) == c.valid, c.path);
}

void TestRealDrives()
{
    FreeSpaceExSupported = true;
    GetDiskFreeSpaceExFunc = ProcAddress<TGetDiskFreeSpaceEx>(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
    struct {
        const char* path;
        bool suitable;
    } const cases[] = {
        {"C:\\Program Files\\Тиктон", true},
        {"D:\\Тиктон\\Не создана", true},
        {"E:\\Тиктон", false},
        {"F:\\Тиктон", false},
        {"R:\\Тиктон", false},
        {"Q:\\Тиктон", false},
        {"Тиктон", false},
        {"C:", false},
        {"", false},
        {"..\\Тиктон", false},
        {"Sub\\Тиктон", false},
    };
    for (const auto& c : cases)
        CHECK_CASE(IsDriveSuitable(c.path) == c.suitable, c.path);
    // Without the 64-bit function, the older measure decides.
    FreeSpaceExSupported = false;
    CHECK(IsDriveSuitable("C:\\Program Files\\Тиктон"));
    CHECK(!IsDriveSuitable("Q:\\Тиктон"));
}

void TestFreeSpaceThreshold()
{
    FreeSpaceExSupported = true;
    GetDiskFreeSpaceExFunc = FakeFreeSpace;
    struct {
        ULONGLONG free;
        bool fails;
        bool suitable;
    } const cases[] = {
        {1000000, false, false}, {1000001, false, true}, {0, false, false}, {5000000000ULL, false, true},
        {5000000000ULL, true, false},
    };
    for (const auto& c : cases) {
        FakeTotalFree = c.free;
        FakeFails = c.fails;
        char name[64];
        snprintf(name, sizeof name, "%llu bytes free%s", c.free, c.fails ? ", query fails" : "");
        CHECK_CASE(IsDriveSuitable("D:\\Apps\\Тиктон") == c.suitable, name);
    }
    CHECK_TEXT(FakeRoot, "D:\\");
    // A CD-ROM is refused before its free space is asked for.
    FakeRoot[0] = '\0';
    FakeTotalFree = 5000000000ULL;
    CHECK(!IsDriveSuitable("E:\\Тиктон"));
    CHECK_TEXT(FakeRoot, "");
    // The flag decides as well as the function: an older system measures the old way.
    FreeSpaceExSupported = false;
    FakeTotalFree = 0;
    CHECK(IsDriveSuitable("C:\\Тиктон"));
}
}

int main()
{
    TestValidPaths();
    TestRealDrives();
    TestFreeSpaceThreshold();
    return check::Finish("folder check");
}
