// Folder paths: backslash normalisation, existence tests, and creating and removing folder chains.
#ifndef COMMON_PATHS_H
#define COMMON_PATHS_H

#include "tstring.h"

// The one backslash that paths are joined with.
extern const TString Backslash;

// Removes one trailing backslash, if there is one.
void StripTrailingBackslash(TString& path);
// Appends a backslash unless there is one already; "" becomes "\".
void EnsureTrailingBackslash(TString& path);

// The system folder and the Windows folder without a trailing backslash; empty when the system gives
// none that fits MAX_PATH.
TString SystemFolder();
TString WindowsFolder();

bool IsDirectory(const char* path);
bool IsFile(const char* path);

// Creates the folder level by level. The output is the deepest folder of the unbroken chain of folders
// that already existed (an ancestor keeps its trailing backslash; the path itself when it all existed),
// or empty when a level could not be created; the caller tells the user. A trailing backslash on the
// path is ignored.
void CreateFolderPath(TString& existing, const TString& path);

// Removes the folder and then its parents while they are empty (one already gone counts as removed),
// never the stop folder or above it; an empty stop folder removes nothing, and one that is not an
// ancestor of the folder removes the folder alone. Both paths lose one trailing backslash. The output,
// when given, names the folder where removal stopped early, or is empty when it reached the stop
// folder (or removed the folder alone).
void RemoveFolderChain(TString& path, TString& stop, TString* notRemoved = 0);

// Whether two paths name the same folder: a-z match either case, every other byte must be equal.
bool SamePath(const char* a, const char* b);
// Whether the folder (without a trailing backslash) lies above the path, compared as SamePath does.
bool IsAncestorFolder(const char* folder, const char* path);

#endif
