// Self-removal after a complete removal: the uninstaller writes its DOS deletion program beside itself
// and starts it with its own short path; the program deletes the uninstaller once it has exited, then
// itself. Where no DOS program can run, the file is left to the next restart.
#include "uninstaller.h"

#include <string.h>

#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
const char DeletionProgram[] = "DeleteMe.com";

void ReportSelfRemovalFailure(UINT textId)
{
    TString text, caption;
    text.Load(Screen.Instance, textId);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(0, path, sizeof path);
    text.Append(path);
    text.Append(".");
    caption.Load(Screen.Instance, IDS_UNINSTALL_CAPTION);
    MessageBoxA(0, text.CStr(), caption.CStr(), MB_OK | MB_ICONHAND);
}

// The uninstaller's file goes when the system next starts (the NT family only).
void DeleteAtRestart(const char* path)
{
    if (IsWinNT)
        MoveFileExA(path, 0, MOVEFILE_DELAY_UNTIL_REBOOT);
}
}

void RemoveSelf()
{
    if (!RemovalDone)
        return;
    HRSRC found = FindResourceA(Screen.Instance, MAKEINTRESOURCEA(IDR_DELETE_ME), "DELETE_ME");
    DWORD size = found ? SizeofResource(Screen.Instance, found) : 0;
    HGLOBAL loaded = size ? LoadResource(Screen.Instance, found) : 0;
    const void* image = loaded ? LockResource(loaded) : 0;
    if (!image) {
        ReportSelfRemovalFailure(IDS_NO_DELETE_ME);
        return;
    }
    char fullPath[MAX_PATH] = "", shortPath[MAX_PATH] = "";
    GetModuleFileNameA(0, fullPath, sizeof fullPath);
    DWORD shortLength = GetShortPathNameA(fullPath, shortPath, sizeof shortPath);
    // The program takes its file name up to the first blank: a name it would cut is never given to it.
    if (!shortLength || shortLength >= sizeof shortPath || strchr(shortPath, ' ')) {
        DeleteAtRestart(fullPath);
        return;
    }
    TString program(shortPath);
    const char* lastBackslash = strrchr(shortPath, '\\');
    program.Truncate(lastBackslash ? static_cast<size_t>(lastBackslash - shortPath) + 1 : 0);
    program.Append(DeletionProgram);

    HANDLE file = CreateFileA(program.CStr(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        ReportSelfRemovalFailure(IDS_DELETE_ME_NOT_WRITTEN);
        return;
    }
    DWORD written = 0;
    WriteFile(file, image, size, &written, 0);
    CloseHandle(file);
    SetFileAttributesA(shortPath, GetFileAttributesA(shortPath) & ~FILE_ATTRIBUTE_READONLY);

    TString commandLine = program.Concat(" ");
    commandLine.Append(shortPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process = {};
    char* line = const_cast<char*>(commandLine.CStr());
    if (CreateProcessA(0, line, 0, 0, FALSE, NORMAL_PRIORITY_CLASS, 0, 0, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    // No DOS programs here (64-bit Windows): take the deletion program back and leave the rest to the
    // next restart rather than leaving both files without a word.
    DeleteFileA(program.CStr());
    DeleteAtRestart(fullPath);
}
