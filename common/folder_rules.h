// The rules an installation folder's text must keep: setup holds the user's choice and an earlier
// record to them, the uninstaller the record it is to remove by.
#ifndef COMMON_FOLDER_RULES_H
#define COMMON_FOLDER_RULES_H

#include "tstring.h"

// A Latin letter, a colon and a backslash: anything else is taken relative to a current folder or drive.
bool StartsAtDriveRoot(const char* path);
// The drive's root ("C:\") of a path that starts at one; empty otherwise.
TString DriveRoot(const char* path);
// Starts at a drive's root; no "\\", no ? * or ", no other colon, no "." or ".." part.
bool IsValidInstallPath(const char* path);

#endif
