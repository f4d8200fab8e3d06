// Unpacking Install.cab into the installation folder, the fifth file into the uninstaller's path,
// with the copy progress window.
#ifndef INSTALL_EXTRACT_H
#define INSTALL_EXTRACT_H

#include <windows.h>

#include "tstring.h"

// One extraction's state, held by its caller and started clean by every ExtractCabinet; the files it
// began to write stay listed afterwards, for DeleteExtractedFiles.
class TExtraction {
public:
    TExtraction();
    ~TExtraction();
    // Everything back to its start, the list of files begun emptied.
    void Clear();

    TString Destination;  // the folder the files go into, with its one trailing backslash
    LONG TotalBytes;
    LONG BytesDone;
    DWORD FilesExtracted;
    DWORD CurrentFileSize;
    HWND ProgressWindow;  // none when it could not be created
    bool Refused;         // the archive named a file that must not be written
    DWORD LastRefresh;    // when the screen was last brought up to date
    int LastPosition;     // the bar's position, -1 before the first move
    // The targets begun, in order; the last may be only partly written.
    TString* Begun;
    DWORD BegunCount;
    DWORD BegunCapacity;
    // A file of the current target's name that was there before counts as begun only once written.
    TString ExistingTarget;

private:
    TExtraction(const TExtraction&);
    TExtraction& operator=(const TExtraction&);
};

// True when every file was unpacked; otherwise the user has been shown message 500.
bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination, TExtraction& extraction);

// Deletes every file that the extraction began to write, the uninstaller's copy and a file left
// half-written included, and nothing else: what a failed installation takes back.
void DeleteExtractedFiles(const TExtraction& extraction);

// A name from the archive that may be joined to the destination folder: relative, no ".." or "."
// part, no colon, no "/", no "\\", nothing trailing that Windows would drop, no device name.
bool IsPlainCabinetName(const char* name);

// The bar's position after `done` of `total` bytes; a total of nothing counts as all done.
int ProgressPosition(LONGLONG done, LONGLONG total);

#endif
