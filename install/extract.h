// Unpacking Install.cab into the installation folder, the fifth file into the uninstaller's path,
// with the copy progress window.
#ifndef INSTALL_EXTRACT_H
#define INSTALL_EXTRACT_H

#include <windows.h>

#include "tstring.h"

// True when every file was unpacked; otherwise the user has been shown message 500.
bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination);

// Deletes every file that the last ExtractCabinet began to write, the uninstaller's copy and a file
// left half-written included, and nothing else: what a failed installation takes back.
void DeleteExtractedFiles();

// A name from the archive that may be joined to the destination folder: relative, no ".." or "."
// part, no colon, no "/", no "\\", nothing trailing that Windows would drop, no device name.
bool IsPlainCabinetName(const char* name);

// The bar's position after `done` of `total` bytes; a total of nothing counts as all done.
int ProgressPosition(LONGLONG done, LONGLONG total);

#endif
