// A module's resources as bytes; apart from the process start, so that a program that starts others
// without reading its own data imports nothing for it.
#include "modules.h"

const void* ResourceBytes(HINSTANCE module, const char* name, const char* type, DWORD& size)
{
    HRSRC found = FindResourceA(module, name, type);
    size = found ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = size ? LoadResource(module, found) : 0;
    const void* bytes = loaded ? LockResource(loaded) : 0;
    if (!bytes)
        size = 0;
    return bytes;
}
