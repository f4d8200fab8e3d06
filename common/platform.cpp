// Platform flags from the version record, and membership of the local Administrators group.
#include "platform.h"

#include "modules.h"

bool IsWinNT;
bool QuickLaunchSupported;
bool IsAdministrator;
bool FreeSpaceExSupported;
TGetDiskFreeSpaceEx GetDiskFreeSpaceExFunc;

namespace {
HMODULE SystemModule;
}

void InitPlatformFlags(TPlatformUse use)
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    SetPlatformFlags(version, use);
}

void SetPlatformFlags(const OSVERSIONINFOA& version, TPlatformUse use)
{
    ReleasePlatformFlags();
    const DWORD platform = version.dwPlatformId;
    QuickLaunchSupported =
        (platform == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 && version.dwMinorVersion >= 10)
        || (platform == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5);
    IsWinNT = platform == VER_PLATFORM_WIN32_NT;
    // Windows 95 OSR2 (build 1111) was the first of its family with the 64-bit free-space call.
    FreeSpaceExSupported =
        IsWinNT || (platform == VER_PLATFORM_WIN32_WINDOWS && LOWORD(version.dwBuildNumber) > 1000);
    IsAdministrator = !IsWinNT || IsAdminMember();

    if (use == UseWithFreeSpace && FreeSpaceExSupported) {
        SystemModule = LoadLibraryA("KERNEL32.DLL");
        GetDiskFreeSpaceExFunc = ProcAddress<TGetDiskFreeSpaceEx>(SystemModule, "GetDiskFreeSpaceExA");
    }
}

void ReleasePlatformFlags()
{
    if (SystemModule)
        FreeLibrary(SystemModule);
    SystemModule = 0;
    GetDiskFreeSpaceExFunc = 0;
}

bool HasEnabledAdministrators(const TOKEN_GROUPS* groups)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID administrators = 0;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                  0, 0, 0, 0, &administrators))
        return false;
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i) {
        // A deny-only Administrators entry (a filtered token) is skipped and the walk goes on.
        found = (groups->Groups[i].Attributes & SE_GROUP_ENABLED) && EqualSid(groups->Groups[i].Sid, administrators);
    }
    FreeSid(administrators);
    return found;
}

bool IsAdminMember()
{
    HANDLE token = 0;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    bool member = false;
    DWORD needed = 0;
    if (GetTokenInformation(token, TokenGroups, 0, 0, &needed) || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        DWORD size = needed ? needed : sizeof(TOKEN_GROUPS);
        TOKEN_GROUPS* groups = static_cast<TOKEN_GROUPS*>(GlobalAlloc(GPTR, size));
        if (groups) {
            if (GetTokenInformation(token, TokenGroups, groups, size, &needed))
                member = HasEnabledAdministrators(groups);
            GlobalFree(groups);
        }
    }
    CloseHandle(token);
    return member;
}
