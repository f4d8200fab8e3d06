// Unpacking Install.cab into the installation folder, the fifth file into the uninstaller's path,
// with the copy progress window.
#ifndef INSTALL_EXTRACT_H
#define INSTALL_EXTRACT_H

#include <windows.h>

#include "tstring.h"

// A file the extraction began to write, and where the file of that name that was there before was
// moved (empty when there was none).
struct TBegunFile {
    TString Target;
    TString Aside;
};

// One extraction's state, held by its caller and started clean by every ExtractCabinet; the files it
// began to write stay listed afterwards, for TakeBackFiles or DropMovedAside.
class TExtraction {
public:
    TExtraction();
    ~TExtraction();
    // Everything but the refresh interval back to its start, the list of files begun emptied.
    void Clear();

    TString Destination;  // the folder the files go into, with its one trailing backslash
    bool NewFolder;       // this run made the destination: nothing in it can be overwritten
    TString Listing;      // the names of the files the destination held, upper case, each between "\n"
    LONG TotalBytes;
    LONG BytesDone;
    DWORD FilesExtracted;
    DWORD CurrentFileSize;
    HWND ProgressWindow;  // none when it could not be created
    HWND Label;           // the window's controls, looked up once: each lookup is a trip to the window system
    HWND Bar;
    bool Failed;          // a file was refused or not written: the extraction fails whatever the Setup API says
    DWORD LastRefresh;    // when the screen was last brought up to date
    int LastPosition;     // the bar's position
    DWORD RefreshInterval;  // ProgressRefreshInterval; a test may refresh at every call (0)
    // The archive's name of the file begun last; the label is given it only when it is drawn.
    char CurrentName[MAX_PATH];
    bool NameShown;       // the label holds CurrentName
    // The targets begun, in order; the last may be only partly written.
    TBegunFile* Begun;
    DWORD BegunCount;
    DWORD BegunCapacity;

private:
    TExtraction(const TExtraction&);
    TExtraction& operator=(const TExtraction&);
};

// How often, at most, the copy window is brought up to date and the screen kept alive while files are
// written (ms); a file of a megabyte or more is named at once.
const DWORD ProgressRefreshInterval = 250;

// True when every file was unpacked; otherwise the user has been shown message 500.
// A file already at a target is moved aside to a new name in its own folder before it is overwritten,
// and noted in the registry first. `newFolder`: this run made the destination folder.
bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination, bool newFolder,
                    TExtraction& extraction);

// The Setup API's callback of the extraction pass; the context is the TExtraction.
UINT CALLBACK ExtractionCallback(PVOID context, UINT notification, UINT_PTR parameter, UINT_PTR);

// What a failed installation takes back: deletes every file that the extraction began to write, the
// uninstaller's copy and a file left half-written included, and puts back each file moved aside;
// false when one could not be put back (its note stays for the next start).
bool TakeBackFiles(const TExtraction& extraction);
// Once the record is written: the files moved aside are no longer needed.
void DropMovedAside(const TExtraction& extraction);
// The files a run stopped part-way moved aside: put back where that run never wrote its record, deleted
// where it did. Any that cannot be put back stay noted for the next run.
void RecoverMovedAside();

// A name from the archive that may be joined to the destination folder: relative, no ".." or "."
// part, no colon, no "/", no "\\", nothing trailing that Windows would drop, no device name.
bool IsPlainCabinetName(const char* name);

// The bar's position after `done` of `total` bytes; a total of nothing counts as all done.
int ProgressPosition(LONGLONG done, LONGLONG total);

#endif
