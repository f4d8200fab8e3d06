// A DLL planted under a system DLL's name: if any program ever loads it, it leaves a mark.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char name[MAX_PATH] = "";
        GetModuleFileNameA(self, name, sizeof name);
        HANDLE mark = CreateFileA("C:\\planted-dll-loaded.txt", FILE_APPEND_DATA, 0, 0, OPEN_ALWAYS, 0, 0);
        DWORD written;
        WriteFile(mark, name, lstrlenA(name), &written, 0);
        WriteFile(mark, "\r\n", 2, &written, 0);
        CloseHandle(mark);
    }
    return TRUE;
}
