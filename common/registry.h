// Registry access: text values are REG_SZ only, numbers REG_DWORD only; an empty text counts as absent.
#ifndef COMMON_REGISTRY_H
#define COMMON_REGISTRY_H

#include <windows.h>

#include "tstring.h"

// The key, or null; the caller closes it. Read-only asks for KEY_QUERY_VALUE, anything else for full access.
HKEY OpenRegKey(HKEY parent, const char* path, bool create, bool readOnly);

// True when a non-empty REG_SZ text shorter than 1024 bytes was read; otherwise the output is empty.
bool ReadRegString(TString& out, HKEY key, const char* name);
bool ReadRegStringAt(TString& out, HKEY hive, const char* path, const char* name);
// True when a REG_DWORD was read; otherwise the output must not be used.
bool ReadRegDword(HKEY key, const char* name, DWORD& out);

// A null name writes the key's default value; an empty text is stored as "" (one byte).
bool WriteRegString(const TString& text, HKEY key, const char* name);
bool WriteRegStringAt(const TString& text, HKEY hive, const char* path, const char* name);
bool WriteRegDword(HKEY key, const char* name, DWORD value);

// Deletes the subkey with all of its subkeys and values, as far as full access allows; reports nothing.
void DeleteRegTree(HKEY parent, const char* name);

#endif
