// Folder text rules and the drive test; neither touches the disk beyond asking about the drive.
#include "folder_check.h"

#include <string.h>

#include <windows.h>

#include "platform.h"
#include "tstring.h"

namespace {
const ULONGLONG RequiredFreeBytes = 1000000;

// A folder is named from a drive's root: a Latin letter, a colon and a backslash. Anything else would
// be taken relative to setup's current folder or drive.
bool StartsAtDriveRoot(const char* path)
{
    const char letter = static_cast<char>(path[0] | 0x20);
    return letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

bool FreeBytesOver(const char* root, ULONGLONG threshold)
{
    if (FreeSpaceExSupported && GetDiskFreeSpaceExFunc) {
        ULARGE_INTEGER toCaller, total, totalFree;
        if (!GetDiskFreeSpaceExFunc(root, &toCaller, &total, &totalFree))
            return false;
        return totalFree.QuadPart > threshold;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return false;
    // In 64 bits: the 32-bit product wraps on volumes reporting 4 GB or more.
    return static_cast<ULONGLONG>(sectorsPerCluster) * freeClusters * bytesPerSector > threshold;
}
}

bool IsValidInstallPath(const char* path)
{
    if (!StartsAtDriveRoot(path))
        return false;
    if (strstr(path, "\\\\") || strpbrk(path, "?*\""))
        return false;
    const char* colon = strchr(path, ':');
    return !colon || (colon == path + 1 && !strchr(colon + 1, ':'));
}

bool IsDriveSuitable(const char* path)
{
    if (!StartsAtDriveRoot(path))
        return false;
    TString root;
    root.AssignPart(path, 3);
    switch (GetDriveTypeA(root.CStr())) {
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return false;
    }
    return FreeBytesOver(root.CStr(), RequiredFreeBytes);
}
