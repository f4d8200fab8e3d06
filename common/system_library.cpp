// System DLLs by full path.
#include "system_library.h"

#include "paths.h"

HMODULE LoadSystemLibrary(const char* name)
{
    TString path = SystemFolder();
    if (path.IsEmpty())
        return 0;
    path.Append("\\");
    path.Append(name);
    return path.Length() < MAX_PATH ? LoadLibraryA(path.CStr()) : 0;
}
