// Stands in for the uninstaller: records the command line it was started with, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HANDLE file = CreateFileA("C:\\uninstaller-started.txt", GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written;
    WriteFile(file, commandLine, lstrlenA(commandLine), &written, 0);
    CloseHandle(file);
    return 0;
}
