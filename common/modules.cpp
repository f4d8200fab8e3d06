// Starting another program.
#include "modules.h"

bool StartProcess(const char* application, const TString& commandLine, DWORD creationFlags, DWORD startFlags,
                  WORD show, const char* folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = startFlags;
    startup.wShowWindow = show;
    PROCESS_INFORMATION process = {};
    // The system may write into the command line: it gets a copy of its own.
    TString line(commandLine);
    char* writable = line.IsEmpty() ? 0 : const_cast<char*>(line.CStr());
    if (!CreateProcessA(application, writable, 0, 0, FALSE, creationFlags, 0, folder, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
