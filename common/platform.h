// Platform flags and the Administrators test, fixed once before WinMain and only read afterwards.
#ifndef COMMON_PLATFORM_H
#define COMMON_PLATFORM_H

#include <windows.h>

typedef BOOL(WINAPI* TGetDiskFreeSpaceEx)(const char* root, ULARGE_INTEGER* freeToCaller,
                                            ULARGE_INTEGER* totalBytes, ULARGE_INTEGER* totalFree);

extern bool IsWinNT;
extern bool QuickLaunchSupported;
extern bool IsAdministrator;
// Installer only: the system can measure free space beyond 2 GB, and the function that does it, or none.
extern bool FreeSpaceExSupported;
extern TGetDiskFreeSpaceEx GetDiskFreeSpaceExFunc;

enum TPlatformUse { UseWithoutFreeSpace, UseWithFreeSpace };

// Each program calls these from one start-up object, so they run before WinMain and after it returns.
void InitPlatformFlags(TPlatformUse use);
void ReleasePlatformFlags();
// The flags for a given version record; InitPlatformFlags passes the running system's.
void SetPlatformFlags(const OSVERSIONINFOA& version, TPlatformUse use);

bool IsAdminMember();
// The walk behind IsAdminMember: an Administrators group counts only while it is enabled.
bool HasEnabledAdministrators(const TOKEN_GROUPS* groups);

#endif
