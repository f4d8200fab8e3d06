// System DLLs by full path.
#include "system_library.h"

#include <string.h>

HMODULE LoadSystemLibrary(const char* name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    const size_t nameLength = strlen(name);
    if (!length || length + nameLength + 2 > sizeof path)
        return 0;
    if (path[length - 1] != '\\')
        path[length++] = '\\';
    memcpy(path + length, name, nameLength + 1);
    return LoadLibraryA(path);
}
