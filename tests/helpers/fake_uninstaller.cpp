// Stands in for the uninstaller: records the command line it was started with, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // Written under another name and then renamed, so the test never finds the record half made.
    HANDLE file = CreateFileA("C:\\uninstaller-started.tmp", GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written;
    WriteFile(file, commandLine, lstrlenA(commandLine), &written, 0);
    CloseHandle(file);
    MoveFileA("C:\\uninstaller-started.tmp", "C:\\uninstaller-started.txt");
    return 0;
}
