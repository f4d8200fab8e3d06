// Other programs and modules: starting a program and letting it run, a module's resources, a DLL's functions.
#ifndef COMMON_MODULES_H
#define COMMON_MODULES_H

#include <windows.h>

#include "tstring.h"

// Starts the program without waiting for it and without keeping its handles. An empty command line
// passes none; `startFlags` are the STARTUPINFO flags, and `show` counts only with STARTF_USESHOWWINDOW;
// no folder: the caller's. False when it did not start.
bool StartProcess(const char* application, const TString& commandLine, DWORD creationFlags, DWORD startFlags,
                  WORD show = 0, const char* folder = 0);

// The bytes of a resource of the module and their number; null when it is missing or empty.
const void* ResourceBytes(HINSTANCE module, const char* name, const char* type, DWORD& size);

// A function the module exports, of the caller's type; null when the module or the function is missing.
template <typename TFunction>
TFunction ProcAddress(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(module, name))) : 0;
}

#endif
