// Loading a DLL the system does not protect: always from the system folder by full path, so that a DLL
// of the same name planted beside the program or in the current folder is never loaded.
#ifndef COMMON_SYSTEM_LIBRARY_H
#define COMMON_SYSTEM_LIBRARY_H

#include <windows.h>

// The module, or null when it cannot be loaded from the system folder.
HMODULE LoadSystemLibrary(const char* name);

#endif
