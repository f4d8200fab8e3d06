// Registry access over advapi32: failures come back as null or false, never as partial output.
#include "registry.h"

#include <stdlib.h>
#include <string.h>

namespace {
const DWORD TextBufferSize = 1024;
}

HKEY OpenRegKey(HKEY parent, const char* path, bool create, bool readOnly)
{
    REGSAM access = readOnly ? KEY_QUERY_VALUE : KEY_ALL_ACCESS;
    HKEY key = 0;
    LONG result = create
        ? RegCreateKeyExA(parent, path, 0, 0, REG_OPTION_NON_VOLATILE, access, 0, &key, 0)
        : RegOpenKeyExA(parent, path, 0, access, &key);
    return result == ERROR_SUCCESS ? key : 0;
}

bool ReadRegString(TString& out, HKEY key, const char* name)
{
    out.Assign("");
    char text[TextBufferSize];
    DWORD size = sizeof text;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, 0, &type, reinterpret_cast<BYTE*>(text), &size);
    if (result != ERROR_SUCCESS || type != REG_SZ || size > sizeof text)
        return false;
    // A value stored without its terminator may fill the whole buffer; such a text is too long to use.
    if (strnlen(text, size) >= TextBufferSize)
        return false;
    out.AssignPart(text, size);
    return !out.IsEmpty();
}

bool ReadRegStringAt(TString& out, HKEY hive, const char* path, const char* name)
{
    out.Assign("");
    HKEY key = OpenRegKey(hive, path, false, true);
    if (!key)
        return false;
    ReadRegString(out, key, name);
    RegCloseKey(key);
    return !out.IsEmpty();
}

bool ReadRegDword(HKEY key, const char* name, DWORD& out)
{
    DWORD size = sizeof out;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, 0, &type, reinterpret_cast<BYTE*>(&out), &size);
    return result == ERROR_SUCCESS && type == REG_DWORD;
}

bool WriteRegString(const TString& text, HKEY key, const char* name)
{
    const char* data = text.CStr();
    DWORD size = static_cast<DWORD>(text.Length() + 1);
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool WriteRegStringAt(const TString& text, HKEY hive, const char* path, const char* name)
{
    HKEY key = OpenRegKey(hive, path, true, false);
    if (!key)
        return false;
    bool written = WriteRegString(text, key, name);
    RegCloseKey(key);
    return written;
}

bool WriteRegDword(HKEY key, const char* name, DWORD value)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value)
        == ERROR_SUCCESS;
}

void DeleteRegTree(HKEY parent, const char* name)
{
    HKEY key = OpenRegKey(parent, name, false, false);
    if (!key)
        return;
    DWORD count = 0;
    DWORD longest = 0;
    // A key whose subkeys cannot be counted is treated as a leaf: its own deletion then fails if it has any.
    if (RegQueryInfoKeyA(key, 0, 0, 0, &count, &longest, 0, 0, 0, 0, 0, 0) == ERROR_SUCCESS && count) {
        char* subkey = static_cast<char*>(malloc(longest + 1));
        for (DWORD index = count; subkey && index-- > 0;) {
            DWORD size = longest + 1;
            // An entry that cannot be read (renamed, deleted or grown meanwhile) is skipped rather than
            // deleting whatever the buffer still holds.
            if (RegEnumKeyExA(key, index, subkey, &size, 0, 0, 0, 0) == ERROR_SUCCESS && size > 0)
                DeleteRegTree(key, subkey);
        }
        free(subkey);
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}
