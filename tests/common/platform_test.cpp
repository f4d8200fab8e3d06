// Platform flags: computed from version records of every family member, from the version Wine reports
// (the argument names it), and the Administrators walk over hand-built token group lists.
#include <windows.h>

#include "check.h"
#include "platform.h"

namespace {
struct TExpected {
    bool winNT, quickLaunch, administrator, freeSpaceEx;
};

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, DWORD build)
{
    OSVERSIONINFOA v;
    ZeroMemory(&v, sizeof v);
    v.dwOSVersionInfoSize = sizeof v;
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    return v;
}

void CheckFlags(const TExpected& e, const char* name)
{
    CHECK_CASE(IsWinNT == e.winNT, name);
    CHECK_CASE(QuickLaunchSupported == e.quickLaunch, name);
    CHECK_CASE(IsAdministrator == e.administrator, name);
    CHECK_CASE(FreeSpaceExSupported == e.freeSpaceEx, name);
    // The free-space function is looked up exactly when the system is said to have it.
    CHECK_CASE((GetDiskFreeSpaceExFunc != 0) == e.freeSpaceEx, name);
}

// Wine always runs as an administrator, so every NT member here expects one.
void TestVersionRecords()
{
    const DWORD nine = VER_PLATFORM_WIN32_WINDOWS, nt = VER_PLATFORM_WIN32_NT;
    struct {
        const char* name;
        OSVERSIONINFOA version;
        TExpected expected;
    } const cases[] = {
        {"Windows 95", Version(nine, 4, 0, 0x040003B6), {false, false, true, false}},
        {"Windows 95 OSR2", Version(nine, 4, 0, 0x04000457), {false, false, true, true}},
        {"Windows 98", Version(nine, 4, 10, 0x040A07CE), {false, true, true, true}},
        {"Windows Me", Version(nine, 4, 90, 0x045A0BB8), {false, true, true, true}},
        {"Windows NT 4.0", Version(nt, 4, 0, 1381), {true, false, true, true}},
        {"Windows 2000", Version(nt, 5, 0, 2195), {true, true, true, true}},
        {"Windows 10", Version(nt, 10, 0, 19043), {true, true, true, true}},
        {"Win32s", Version(VER_PLATFORM_WIN32s, 3, 10, 0), {false, false, true, false}},
    };
    for (const auto& c : cases) {
        SetPlatformFlags(c.version, UseWithFreeSpace);
        CheckFlags(c.expected, c.name);
    }
    // The uninstaller never looks the function up.
    SetPlatformFlags(cases[5].version, UseWithoutFreeSpace);
    CHECK(FreeSpaceExSupported && !GetDiskFreeSpaceExFunc);
    ReleasePlatformFlags();
}

void TestReportedVersion(const char* reported)
{
    struct {
        const char* name;
        TExpected expected;
    } const cases[] = {
        {"win95", {false, false, true, false}}, {"win98", {false, true, true, true}},
        {"winme", {false, true, true, true}},   {"nt40", {true, false, true, true}},
        {"win2k", {true, true, true, true}},    {"winxp", {true, true, true, true}},
        {"win7", {true, true, true, true}},     {"win10", {true, true, true, true}},
    };
    for (const auto& c : cases) {
        if (strcmp(c.name, reported) != 0)
            continue;
        InitPlatformFlags(UseWithFreeSpace);
        CheckFlags(c.expected, c.name);
        ReleasePlatformFlags();
        return;
    }
    check::Fail(__FILE__, __LINE__, "unknown reported version", reported);
}

// A token's group list with room for a few entries.
struct TGroups {
    DWORD count;
    SID_AND_ATTRIBUTES groups[4];
};

void TestAdministratorsWalk()
{
    SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID admins = 0, users = 0, everyone = 0;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins);
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0, &users);
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    const DWORD enabled = SE_GROUP_ENABLED | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_MANDATORY;
    const DWORD denyOnly = SE_GROUP_USE_FOR_DENY_ONLY;
    struct {
        const char* name;
        TGroups groups;
        bool member;
    } const cases[] = {
        {"no groups", {0, {}}, false},
        {"enabled administrators", {2, {{everyone, enabled}, {admins, enabled}}}, true},
        {"deny-only administrators", {2, {{everyone, enabled}, {admins, denyOnly}}}, false},
        {"users only", {2, {{everyone, enabled}, {users, enabled}}}, false},
        {"deny-only then enabled", {3, {{admins, denyOnly}, {users, enabled}, {admins, enabled}}}, true},
        {"present but not enabled", {1, {{admins, SE_GROUP_MANDATORY}}}, false},
    };
    for (const auto& c : cases)
        CHECK_CASE(HasEnabledAdministrators(reinterpret_cast<const TOKEN_GROUPS*>(&c.groups)) == c.member, c.name);
    FreeSid(admins);
    FreeSid(users);
    FreeSid(everyone);
}
}

int main(int argc, char** argv)
{
    TestVersionRecords();
    TestAdministratorsWalk();
    if (argc > 1)
        TestReportedVersion(argv[1]);
    // The process token Wine gives holds an enabled Administrators group.
    CHECK(IsAdminMember());
    return check::Finish("platform");
}
