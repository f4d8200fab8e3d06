// Self-removal after a complete removal: the uninstaller writes its DOS deletion program beside itself
// and starts it with its own short path; the program deletes the uninstaller once it has exited, then
// itself. Where a DOS program would not start unasked (every 64-bit Windows, 32-bit Windows 8 and later)
// or could not be given the path, a script for the NT command interpreter does the same; where that
// cannot start either, the file is left to the system to delete at the next start.
#include "uninstaller.h"

#include <string.h>

#include "message.h"
#include "paths.h"
#include "platform.h"
#include "modules.h"
#include "resource.h"
#include "state.h"

namespace {
const char DeletionProgram[] = "DeleteMe.com";
const char DeletionScript[] = "DeleteMe.cmd";
// DOS takes paths of at most 67 characters (drive, colon, 64 for the rest), well within the 126 its
// command tail holds: a longer one would fail with "path not found" and never be retried.
const size_t DosPathLength = 67;

// Deletes the file named by its argument once that can be deleted, trying once a second (the ping is the
// pause every NT system has) for about a minute, then deletes itself. It runs in the uninstaller's
// folder and is given bare file names only: the interpreter expands %NAME% in its command line even
// inside quotes (and Wine's again in what it substituted), and "&", "^", "!" and parentheses are
// commands to it, while a folder may hold any of them. Plain ASCII: the interpreter reads a script in
// the OEM code page.
const char ScriptText[] =
    "@echo off\r\n"
    "set tries=0\r\n"
    ":retry\r\n"
    "del /f /q %1 >nul 2>&1\r\n"
    "if not exist %1 goto done\r\n"
    "set /a tries+=1\r\n"
    "if %tries% geq 60 goto done\r\n"
    "\"%SystemRoot%\\system32\\ping.exe\" -n 2 127.0.0.1 >nul\r\n"
    "goto retry\r\n"
    ":done\r\n"
    "del /f /q %0 >nul 2>&1\r\n";

// The text names the file the user is left to delete, by its long path, then ".".
void ReportSelfRemovalFailure(UINT textId, const char* path)
{
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

// The whole of a text file; a missing file reads as empty.
bool ReadTextFile(const char* path, TString& text)
{
    text.Assign("");
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    const DWORD size = GetFileSize(file, 0);
    bool whole = false;
    if (size != INVALID_FILE_SIZE && size < 0x100000) {
        char* buffer = static_cast<char*>(GlobalAlloc(GPTR, size + 1));
        DWORD read = 0;
        whole = buffer && ReadFile(file, buffer, size, &read, 0) && read == size;
        if (whole)
            text.AssignPart(buffer, strlen(buffer));
        if (buffer)
            GlobalFree(buffer);
    }
    CloseHandle(file);
    return whole;
}

// Renames the file to a name of its own in its folder; the path then names it. Unchanged on failure.
void MoveAside(char (&path)[MAX_PATH])
{
    char aside[MAX_PATH] = "";
    if (!GetTempFileNameA(FolderOf(path).CStr(), "unT", 0, aside))
        return;
    if (MoveFileExA(path, aside, MOVEFILE_REPLACE_EXISTING))
        lstrcpynA(path, aside, MAX_PATH);
    else
        DeleteFileA(aside);
}

// Gives the file its own name back when nothing will delete it, so that the user finds it by that name.
void MoveBack(char (&path)[MAX_PATH], const char* ownPath)
{
    if (MoveFileA(path, ownPath))
        lstrcpynA(path, ownPath, MAX_PATH);
}

OSVERSIONINFOA RunningVersion()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version;
}

// A 32-bit program on a 64-bit Windows.
bool RunsUnderWow64()
{
    typedef BOOL(WINAPI * TIsWow64Process)(HANDLE, PBOOL);
    const TIsWow64Process isWow64Process =
        ProcAddress<TIsWow64Process>(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

void ClearReadOnly(const char* path)
{
    SetFileAttributesA(path, GetFileAttributesA(path) & ~FILE_ATTRIBUTE_READONLY);
}

// The DOS way: DeleteMe.com beside the uninstaller, given the uninstaller's short path. Whenever it does
// not start, nothing of it is left behind.
TStart StartDeletionProgram(const char* fullPath, const char* shortPath, const void* image, DWORD size)
{
    TString program = FolderOf(fullPath);
    program.Append(DeletionProgram);
    if (!DosProgramsRunOn(RunningVersion(), RunsUnderWow64()) || !DosTakesPath(fullPath, shortPath)) {
        // One left by an earlier run goes as well.
        DeleteFileA(program.CStr());
        return NotStarted;
    }
    program = FolderOf(shortPath);
    program.Append(DeletionProgram);
    const TWrite write = WriteNewFile(program.CStr(), image, size);
    if (write == NotCreated)
        return NotWritable;
    // A short write would start a truncated program.
    if (write == Written) {
        ClearReadOnly(fullPath);
        TString commandLine = program.Concat(" ");
        commandLine.Append(shortPath);
        if (StartProcess(0, commandLine, NORMAL_PRIORITY_CLASS, STARTF_USESHOWWINDOW,
                         Unattended ? SW_HIDE : SW_SHOWMINNOACTIVE))
            return Started;
    }
    DeleteFileA(program.CStr());
    return NotStarted;
}

// The 95 family's deletion at the next start: a "NUL=file" line in the [rename] section of WININIT.INI in
// the Windows folder, carried out before the system loads. The line is added by hand, as the profile
// functions would replace another program's pending NUL line; the name is the short one in the OEM code
// page, as the DOS side of the start reads it.
bool DeleteAtRestart9x(const char* shortPath)
{
    const TString windows = WindowsFolder();
    if (windows.IsEmpty())
        return false;
    const TString file = windows.Concat("\\WININIT.INI");
    TString line("NUL=");
    line.Append(shortPath);
    CharToOemA(line.CStr(), const_cast<char*>(line.CStr()));
    line.Append("\r\n");

    TString text;
    if (!ReadTextFile(file.CStr(), text))
        return false;
    const char* body = text.CStr();
    const char* section = 0;
    for (const char* at = body; *at && !section;) {
        const char* text = at;
        while (*text == ' ' || *text == '\t')
            ++text;
        TString start;
        start.AssignPart(text, 8);
        if (SamePath(start.CStr(), "[rename]"))
            section = at;
        const char* end = strchr(at, '\n');
        at = end ? end + 1 : at + strlen(at);
    }
    TString updated;
    if (section) {
        const char* next = strchr(section, '\n');
        const size_t split = next ? static_cast<size_t>(next - body) + 1 : strlen(body);
        updated.Assign(body);
        updated.Truncate(split);
        if (!next)
            updated.Append("\r\n");
        updated.Append(line.CStr());
        updated.Append(body + split);
    } else {
        updated.Assign(body);
        if (*body && body[strlen(body) - 1] != '\n')
            updated.Append("\r\n");
        updated.Append("[rename]\r\n");
        updated.Append(line.CStr());
    }
    return WriteNewFile(file.CStr(), updated.CStr(), static_cast<DWORD>(strlen(updated.CStr()))) == Written;
}

// A file name the interpreter reads as it stands: letters, digits, ".", "-", "_" and "~" (the uninstaller
// moved aside has one).
bool PlainFileName(const char* name)
{
    if (!*name)
        return false;
    for (const char* at = name; *at; ++at)
        if (!(*at >= 'a' && *at <= 'z') && !(*at >= 'A' && *at <= 'Z') && !(*at >= '0' && *at <= '9')
            && !strchr(".-_~", *at))
            return false;
    return true;
}

// The NT command interpreter's way (named by COMSPEC), started hidden in the uninstaller's folder and not
// waited for. False when it did not start; then the script is gone.
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
    const TString folder = FolderOf(fullPath);
    const char* file = fullPath + strlen(folder.CStr());
    if (!PlainFileName(file))
        return false;
    TString script(folder);
    script.Append(DeletionScript);
    if (WriteNewFile(script.CStr(), ScriptText, sizeof ScriptText - 1) != Written) {
        DeleteFileA(script.CStr());
        return false;
    }
    ClearReadOnly(fullPath);
    TString commandLine("\"");
    commandLine.Append(interpreter);
    commandLine.Append("\" /d /v:off /c ");
    commandLine.Append(DeletionScript);
    commandLine.Append(" ");
    commandLine.Append(file);
    if (StartProcess(interpreter, commandLine, NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW, STARTF_USESHOWWINDOW, SW_HIDE,
                     folder.CStr()))
        return true;
    DeleteFileA(script.CStr());
    return false;
}
}

bool DosProgramsRunOn(const OSVERSIONINFOA& version, bool wow64)
{
    // 64-bit Windows has no DOS subsystem; 32-bit Windows 8 (6.2) and later install it on demand, asking
    // an administrator first, and a policy may forbid it.
    if (sizeof(void*) != 4 || wow64)
        return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT
           && (version.dwMajorVersion < 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion <= 1));
}

bool DosTakesPath(const char* longPath, const char* shortPath)
{
    // The program takes its file name up to the first blank, and DOS refuses longer paths with "path not
    // found", which is never retried. Any other letter passes through the OEM code page, and a long name
    // with one gets a generated short name the DOS side may not resolve: plain ASCII only, in both forms.
    const size_t length = strlen(shortPath);
    if (!length || length > DosPathLength || strchr(shortPath, ' '))
        return false;
    const char* const paths[] = {longPath, shortPath};
    for (const char* path : paths)
        for (const unsigned char* at = reinterpret_cast<const unsigned char*>(path); *at; ++at)
            if (*at < 0x20 || *at > 0x7E)
                return false;
    return true;
}

bool DeleteAtRestart(const char* fullPath, const char* shortPath)
{
    if (IsWinNT)
        return MoveFileExA(fullPath, 0, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    return *shortPath && DeleteAtRestart9x(shortPath);
}

void RemoveSelf()
{
    if (!RemovalDone)
        return;
    char fullPath[MAX_PATH] = "";
    DWORD fullLength = GetModuleFileNameA(0, fullPath, sizeof fullPath);
    if (!fullLength || fullLength >= sizeof fullPath)
        return;
    DWORD size = 0;
    const void* image = ResourceBytes(Screen.Instance, MAKEINTRESOURCEA(IDR_DELETE_ME), "DELETE_ME", size);
    if (!image) {
        ReportSelfRemovalFailure(IDS_NO_DELETE_ME, fullPath);
        return;
    }
    // Every way below deletes by name, some of them a minute or a restart later: on the NT family, which
    // lets a running image be renamed, the name is first made this run's own, so that an installation
    // made in the meantime keeps its new uninstaller.
    char ownPath[MAX_PATH];
    lstrcpynA(ownPath, fullPath, MAX_PATH);
    if (IsWinNT)
        MoveAside(fullPath);
    char shortPath[MAX_PATH] = "";
    DWORD shortLength = GetShortPathNameA(fullPath, shortPath, sizeof shortPath);
    if (!shortLength || shortLength >= sizeof shortPath)
        shortPath[0] = '\0';

    switch (StartDeletionProgram(fullPath, shortPath, image, size)) {
    case Started:
        return;
    case NotWritable:
        MoveBack(fullPath, ownPath);
        ReportSelfRemovalFailure(IDS_DELETE_ME_NOT_WRITTEN, fullPath);
        return;
    case NotStarted:
        break;
    }
    if (!StartDeletionScript(fullPath) && !DeleteAtRestart(fullPath, shortPath))
        MoveBack(fullPath, ownPath);
}
