// The text rules of an installation folder; nothing here touches the disk.
#include "folder_rules.h"

#include <string.h>

namespace {
const size_t RootLength = 3;

// A part of dots alone names another folder than its text ("." and "..", and "..." the system cuts to
// nothing): the folder chain setup records and removes by would not be the one on the disk.
bool HasDotPart(const char* path)
{
    bool dotsOnly = false;  // the part read so far is one or more dots
    for (const char* c = path;; ++c) {
        if (*c == '\\' || !*c) {
            if (dotsOnly)
                return true;
            if (!*c)
                return false;
        }
        dotsOnly = *c == '.' && (c == path || c[-1] == '\\' || dotsOnly);
    }
}
}

bool StartsAtDriveRoot(const char* path)
{
    const char letter = static_cast<char>(path[0] | 0x20);
    return letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

TString DriveRoot(const char* path)
{
    TString root;
    if (StartsAtDriveRoot(path))
        root.AssignPart(path, RootLength);
    return root;
}

bool IsValidInstallPath(const char* path)
{
    if (!StartsAtDriveRoot(path))
        return false;
    if (strstr(path, "\\\\") || strpbrk(path, "?*\"") || HasDotPart(path + RootLength))
        return false;
    const char* colon = strchr(path, ':');
    return !colon || (colon == path + 1 && !strchr(colon + 1, ':'));
}
