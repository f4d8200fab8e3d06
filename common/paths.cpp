// Folder-path operations shared by setup's engine and the uninstaller's removal.
#include "paths.h"

#include <string.h>

const TString Backslash("\\");

void StripTrailingBackslash(TString& path)
{
    if (path.Last() == '\\')
        path.Truncate(path.Length() - 1);
}

namespace {
typedef UINT(WINAPI* TFolderQuery)(char* buffer, UINT size);

TString SystemFolderBy(TFolderQuery query)
{
    char folder[MAX_PATH];
    const UINT length = query(folder, sizeof folder);
    TString path;
    path.AssignPart(folder, length < sizeof folder ? length : 0);
    StripTrailingBackslash(path);
    return path;
}
}

TString SystemFolder()
{
    return SystemFolderBy(GetSystemDirectoryA);
}

TString WindowsFolder()
{
    return SystemFolderBy(GetWindowsDirectoryA);
}

void EnsureTrailingBackslash(TString& path)
{
    if (path.Last() != '\\')
        path.Append(Backslash.CStr());
}

bool IsDirectory(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CreateFolderPath(TString& existing, const TString& path)
{
    TString whole(path);
    // A trailing backslash is accepted, but a drive root keeps its own ("C:" alone names a current folder).
    if (whole.Length() > 3)
        StripTrailingBackslash(whole);
    existing.Assign("");
    TString level;
    const char* text = whole.CStr();
    const char* separator = strchr(text, '\\');
    // Testing: the first level that is not an existing folder is where creation begins.
    for (; separator; separator = strchr(separator + 1, '\\')) {
        level.AssignPart(text, static_cast<size_t>(separator - text) + 1);
        if (!IsDirectory(level.CStr()))
            break;
        existing = level;
    }
    if (!separator && IsDirectory(text)) {
        existing = whole;
        return;
    }
    // Creating: each missing level in turn, then the whole path.
    for (; separator; separator = strchr(separator + 1, '\\')) {
        level.AssignPart(text, static_cast<size_t>(separator - text) + 1);
        if (!CreateDirectoryA(level.CStr(), 0)) {
            existing.Assign("");
            return;
        }
    }
    if (!CreateDirectoryA(text, 0))
        existing.Assign("");
}

namespace {
char FoldLatin(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}

// The folder's text, compared as SamePath does, then a backslash and more.
bool IsAncestorFolder(const char* folder, const char* path)
{
    size_t length = strlen(folder);
    if (strlen(path) <= length + 1 || path[length] != '\\')
        return false;
    for (size_t i = 0; i < length; ++i)
        if (FoldLatin(folder[i]) != FoldLatin(path[i]))
            return false;
    return true;
}

bool SamePath(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (FoldLatin(*a) != FoldLatin(*b))
            return false;
        if (!*a)
            return true;
    }
}

void RemoveFolderChain(TString& path, TString& stop, TString* notRemoved)
{
    StripTrailingBackslash(path);
    StripTrailingBackslash(stop);
    TString current(path);
    // A stop folder that is not above the installation folder comes from a record out of step with the
    // disk: the folders above are nobody's known creation, so only the installation folder goes.
    const bool climb = IsAncestorFolder(stop.CStr(), path.CStr());
    bool finished = false;
    // Without a stop folder nobody knows which folders setup made: the user's own empty folders
    // above the installation would go too, so nothing is removed.
    while (!stop.IsEmpty()) {
        if (SamePath(current.CStr(), stop.CStr())) {
            finished = true;
            break;
        }
        // A folder already gone has been removed as surely as one removed now.
        if (!RemoveDirectoryA(current.CStr()) && GetLastError() != ERROR_FILE_NOT_FOUND
            && GetLastError() != ERROR_PATH_NOT_FOUND)
            break;
        if (!climb) {
            finished = true;
            break;
        }
        const char* parent = strrchr(current.CStr(), '\\');
        if (parent)
            current.Truncate(static_cast<size_t>(parent - current.CStr()));
    }
    if (notRemoved)
        *notRemoved = finished ? TString() : current;
}
