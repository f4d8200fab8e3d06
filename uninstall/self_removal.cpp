// Self-removal after a complete removal: the uninstaller writes its DOS deletion program beside itself
// and starts it with its own short path; the program deletes the uninstaller once it has exited, then
// itself. Where no DOS program can start (every 64-bit Windows), a script for the NT command interpreter
// does the same; where that cannot start either, the file is left to the next restart.
#include "uninstaller.h"

#include <string.h>

#include "message.h"
#include "paths.h"
#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
const char DeletionProgram[] = "DeleteMe.com";
const char DeletionScript[] = "DeleteMe.cmd";
// DOS takes paths of at most 67 characters (drive, colon, 64 for the rest), well within the 126 its
// command tail holds: a longer one would fail with "path not found" and never be retried.
const size_t DosPathLength = 67;

// Deletes the file named by its first argument once that can be deleted, trying once a second (the
// ping is the pause every NT system has) for about a minute, then deletes itself. Plain ASCII: the
// interpreter reads a script in the OEM code page, so the paths travel on the command line instead.
const char ScriptText[] =
    "@echo off\r\n"
    "set tries=0\r\n"
    ":retry\r\n"
    "del /f /q \"%~1\" >nul 2>&1\r\n"
    "if not exist \"%~1\" goto done\r\n"
    "set /a tries+=1\r\n"
    "if %tries% geq 60 goto done\r\n"
    "\"%SystemRoot%\\system32\\ping.exe\" -n 2 127.0.0.1 >nul\r\n"
    "goto retry\r\n"
    ":done\r\n"
    "del /f /q \"%~f0\" >nul 2>&1\r\n";

// The text names the file the user is left to delete: the uninstaller's own long path, then ".".
void ReportSelfRemovalFailure(UINT textId)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(0, path, sizeof path);
    TString file(path);
    file.Append(".");
    MessageBoxByIds(0, textId, IDS_UNINSTALL_CAPTION, MB_OK | MB_ICONHAND, file.CStr());
}

// The folder part of a path, with its backslash.
TString FolderOf(const char* path)
{
    TString folder(path);
    const char* lastBackslash = strrchr(path, '\\');
    folder.Truncate(lastBackslash ? static_cast<size_t>(lastBackslash - path) + 1 : 0);
    return folder;
}

bool StartDetached(const char* application, const TString& commandLine, DWORD flags, WORD show,
                   const char* folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION process = {};
    char* line = const_cast<char*>(commandLine.CStr());
    if (!CreateProcessA(application, line, 0, 0, FALSE, flags, 0, folder, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

enum TStart { Started, NotStarted, NotWritable };
enum TWrite { Written, NotCreated, ShortWrite };

// Creates the file anew (over one of the same name) and writes the whole of the data into it.
TWrite WriteNewFile(const char* path, const void* data, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE)
        return NotCreated;
    DWORD written = 0;
    const bool whole = WriteFile(file, data, size, &written, 0) && written == size;
    return CloseHandle(file) && whole ? Written : ShortWrite;
}

// A 32-bit program on a 64-bit Windows: there no DOS program starts, and trying may show the user a
// message about an unsupported 16-bit application.
bool RunsUnderWow64()
{
    typedef BOOL(WINAPI * TIsWow64Process)(HANDLE, PBOOL);
    TIsWow64Process isWow64Process = reinterpret_cast<TIsWow64Process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

void ClearReadOnly(const char* path)
{
    SetFileAttributesA(path, GetFileAttributesA(path) & ~FILE_ATTRIBUTE_READONLY);
}

// The DOS way: DeleteMe.com beside the uninstaller, given the uninstaller's short path. Whenever it does
// not start, nothing of it is left behind.
TStart StartDeletionProgram(const char* fullPath, const void* image, DWORD size)
{
    if (RunsUnderWow64())
        return NotStarted;
    char shortPath[MAX_PATH] = "";
    DWORD shortLength = GetShortPathNameA(fullPath, shortPath, sizeof shortPath);
    // The program takes its file name up to the first blank: a name it would cut or DOS would refuse
    // is never passed.
    if (!shortLength || shortLength > DosPathLength || strchr(shortPath, ' '))
        return NotStarted;
    TString program = FolderOf(shortPath);
    program.Append(DeletionProgram);
    const TWrite write = WriteNewFile(program.CStr(), image, size);
    if (write == NotCreated)
        return NotWritable;
    // A short write would start a truncated program.
    if (write == Written) {
        ClearReadOnly(fullPath);
        TString commandLine = program.Concat(" ");
        commandLine.Append(shortPath);
        if (StartDetached(0, commandLine, NORMAL_PRIORITY_CLASS, SW_SHOWMINNOACTIVE, 0))
            return Started;
    }
    DeleteFileA(program.CStr());
    return NotStarted;
}

// The NT command interpreter's way (named by COMSPEC), started hidden and not waited for, from the system
// folder so that it holds no product folder open. False when it did not start; then the script is gone.
bool StartDeletionScript(const char* fullPath)
{
    char interpreter[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("COMSPEC", interpreter, sizeof interpreter);
    if (!length || length >= sizeof interpreter)
        return false;
    // The script is written for the NT interpreter; the 95 family's would loop on what it cannot read.
    const char* name = strrchr(interpreter, '\\');
    if (!SamePath(name ? name + 1 : interpreter, "cmd.exe"))
        return false;
    TString script = FolderOf(fullPath);
    script.Append(DeletionScript);
    if (WriteNewFile(script.CStr(), ScriptText, sizeof ScriptText - 1) != Written) {
        DeleteFileA(script.CStr());
        return false;
    }
    ClearReadOnly(fullPath);
    // /s: the interpreter drops the outer quotes and keeps the two quoted paths as they are.
    TString commandLine("\"");
    commandLine.Append(interpreter);
    commandLine.Append("\" /d /v:off /s /c \"\"");
    commandLine.Append(script.CStr());
    commandLine.Append("\" \"");
    commandLine.Append(fullPath);
    commandLine.Append("\"\"");
    char systemFolder[MAX_PATH] = "";
    UINT folderLength = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    const char* folder = folderLength && folderLength < sizeof systemFolder ? systemFolder : 0;
    if (StartDetached(interpreter, commandLine, NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW, SW_HIDE, folder))
        return true;
    DeleteFileA(script.CStr());
    return false;
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
    char fullPath[MAX_PATH] = "";
    DWORD fullLength = GetModuleFileNameA(0, fullPath, sizeof fullPath);
    if (!fullLength || fullLength >= sizeof fullPath)
        return;

    switch (StartDeletionProgram(fullPath, image, size)) {
    case Started:
        return;
    case NotWritable:
        ReportSelfRemovalFailure(IDS_DELETE_ME_NOT_WRITTEN);
        return;
    case NotStarted:
        break;
    }
    // No DOS program starts here (every 64-bit Windows), or it could not be given the uninstaller.
    if (StartDeletionScript(fullPath))
        return;
    // Neither way starts: the system deletes the file when it next starts (the NT family only).
    if (IsWinNT)
        MoveFileExA(fullPath, 0, MOVEFILE_DELAY_UNTIL_REBOOT);
}
