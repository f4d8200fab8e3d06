// The drive test of an installation folder; neither touches the disk beyond asking about the drive.
#include "folder_check.h"

#include <windows.h>

#include "platform.h"
#include "tstring.h"

namespace {
const ULONGLONG RequiredFreeBytes = 1000000;

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

bool IsDriveSuitable(const char* path)
{
    TString root = DriveRoot(path);
    if (root.IsEmpty())
        return false;
    switch (GetDriveTypeA(root.CStr())) {
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return false;
    }
    return FreeBytesOver(root.CStr(), RequiredFreeBytes);
}
