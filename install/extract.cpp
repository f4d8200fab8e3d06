// Cabinet extraction through the Setup API: a sizing pass that writes nothing, then the extraction
// pass, which keeps the screen painted between files and moves the bar by the bytes written.
#include "extract.h"

#include <commctrl.h>
#include <setupapi.h>
#include <string.h>

#include "message.h"
#include "paths.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "screen.h"
#include "state.h"
#include "switches.h"

namespace {
const DWORD UninstallerPosition = 4;  // the archive's fifth file is the uninstaller
// Every call to the window system is a round trip under Wine, dearer than writing a small file, and a
// drawing of the bar (block by block, themed) dearer still: nothing of the window is touched per file.
// The label is given the current name and the bar its position only when the screen is brought up to
// date, at most every refresh interval.
// A file this large takes about an interval to copy on a slow machine: its name is drawn before it is.
const DWORD LargeFile = 1024 * 1024;

// The label draws itself whenever it is painted, so it is given the name before anything can paint it.
// Some systems' labels draw a new text at once, others at their next paint: invalidated, it is painted
// by the next pump on every one.
void ShowName(TExtraction& extraction)
{
    if (!extraction.ProgressWindow || extraction.NameShown)
        return;
    extraction.NameShown = true;
    SetWindowTextA(extraction.Label, extraction.CurrentName);
    RedrawWindow(extraction.Label, 0, 0, RDW_INVALIDATE | RDW_ERASE);
}

// Keeps the screen alive and the copy window current, when the interval has passed or `now`. Each move
// of the bar draws it, so it is moved only here.
void Refresh(TExtraction& extraction, bool now)
{
    const DWORD tick = GetTickCount();
    if (!now && tick - extraction.LastRefresh < extraction.RefreshInterval)
        return;
    extraction.LastRefresh = tick;
    ShowName(extraction);
    const int position = ProgressPosition(extraction.BytesDone, extraction.TotalBytes);
    if (extraction.ProgressWindow && position != extraction.LastPosition) {
        extraction.LastPosition = position;
        SendMessageA(extraction.Bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    PumpMessages();
}

void RememberTarget(TExtraction& extraction, const TString& target, const TString& aside)
{
    if (extraction.BegunCount == extraction.BegunCapacity) {
        const DWORD capacity = extraction.BegunCapacity ? extraction.BegunCapacity * 2 : 8;
        TBegunFile* grown = new TBegunFile[capacity];
        for (DWORD i = 0; i < extraction.BegunCount; ++i)
            grown[i] = extraction.Begun[i];
        delete[] extraction.Begun;
        extraction.Begun = grown;
        extraction.BegunCapacity = capacity;
    }
    extraction.Begun[extraction.BegunCount].Target = target;
    extraction.Begun[extraction.BegunCount++].Aside = aside;
}

TString UpperCase(const char* text)
{
    TString upper(text);
    CharUpperBuffA(const_cast<char*>(upper.CStr()), static_cast<DWORD>(upper.Length()));
    return upper;
}

// One listing of a folder that existed before answers for all its files, long and short names alike.
void ListDestination(TExtraction& extraction)
{
    extraction.Listing.Assign("\n");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(extraction.Destination.Concat("*").CStr(), &found);
    // No listing at all (not an empty folder's): every file is looked at on its own.
    if (search == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        extraction.Listing.Assign("");
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const char* const names[] = {found.cFileName, found.cAlternateFileName};
        for (const char* name : names)
            if (*name) {
                extraction.Listing.Append(UpperCase(name).CStr());
                extraction.Listing.Append("\n");
            }
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// Whether a file is at the target already. A folder is left for the Setup API to fail on.
bool FileThere(const TExtraction& extraction, const TString& target, const char* name, bool uninstaller)
{
    if (uninstaller)
        return IsFile(target.CStr());
    if (extraction.NewFolder)
        return false;
    if (strchr(name, '\\') || extraction.Listing.IsEmpty())
        return IsFile(target.CStr());
    TString entry("\n");
    entry.Append(UpperCase(name).CStr());
    entry.Append("\n");
    return strstr(extraction.Listing.CStr(), entry.CStr()) != 0;
}

DWORD AsideSerial;  // where the next copy's name is tried from; set by the first one

// Moves the file at the target to a new name in the same folder, noted first so that a run stopped from
// here on leaves it to be found. False when it cannot be moved or noted; an empty copy's name when the
// file was gone after all.
bool MoveAside(const TString& target, TString& aside)
{
    const char* slash = strrchr(target.CStr(), '\\');
    TString folder;
    folder.AssignPart(target.CStr(), slash ? static_cast<size_t>(slash - target.CStr()) + 1 : 0);
    if (!AsideSerial)
        AsideSerial = GetTickCount();
    for (int tries = 0; tries < 0x10000; ++tries) {
        // "~tk" and four hexadecimal digits: a short name no product file has.
        char name[] = "~tk0000.tmp";
        const DWORD serial = AsideSerial++;
        for (int digit = 0; digit < 4; ++digit)
            name[6 - digit] = "0123456789abcdef"[serial >> (4 * digit) & 0xF];
        aside = folder.Concat(name);
        if (aside.Length() >= MAX_PATH || !WriteRegStringAt(target, HKEY_LOCAL_MACHINE, MovedAsideKey, aside.CStr()))
            return false;
        if (MoveFileA(target.CStr(), aside.CStr()))
            return true;
        const DWORD error = GetLastError();
        HKEY notes = OpenRegKey(HKEY_LOCAL_MACHINE, MovedAsideKey, false, false);
        RegDeleteValueA(notes, aside.CStr());
        RegCloseKey(notes);
        if (error == ERROR_FILE_NOT_FOUND) {
            aside.Assign("");
            return true;
        }
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
            SetLastError(error);
            return false;
        }
    }
    return false;
}

// The copy back at its own name, over whatever is there now; true when no copy is left. A note without
// its copy is of a run stopped before the move: the file at its own name is still the one from before.
bool PutBack(const char* original, const char* aside)
{
    if (!IsFile(aside))
        return true;
    DeleteFileA(original);
    return MoveFileA(aside, original) != 0;
}

// Forgets the notes of these copies, and the whole note, mark included, once no other copy is in it.
void ForgetMovedAside(const TExtraction& extraction)
{
    HKEY notes = OpenRegKey(HKEY_LOCAL_MACHINE, MovedAsideKey, false, false);
    if (!notes)
        return;
    for (DWORD i = 0; i < extraction.BegunCount; ++i)
        if (!extraction.Begun[i].Aside.IsEmpty())
            RegDeleteValueA(notes, extraction.Begun[i].Aside.CStr());
    DWORD values = 0, committed = 0;
    RegQueryInfoKeyA(notes, 0, 0, 0, 0, 0, 0, &values, 0, 0, 0, 0);
    if (ReadRegDword(notes, MovedAsideCommittedValue, committed))
        --values;
    RegCloseKey(notes);
    if (!values)
        DeleteRegTree(HKEY_LOCAL_MACHINE, MovedAsideKey);
}

bool MovedAny(const TExtraction& extraction)
{
    for (DWORD i = 0; i < extraction.BegunCount; ++i)
        if (!extraction.Begun[i].Aside.IsEmpty())
            return true;
    return false;
}

INT_PTR CALLBACK CopyProgressProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

UINT CALLBACK SizingCallback(PVOID context, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    if (notification != SPFILENOTIFY_FILEINCABINET)
        return NO_ERROR;
    static_cast<TExtraction*>(context)->TotalBytes += reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter)->FileSize;
    return FILEOP_SKIP;
}

// The target of the next file, remembered as written from now on, or false when the archive names
// something that must not be written or a file there cannot be moved aside.
bool ChooseTarget(TExtraction& extraction, FILE_IN_CABINET_INFO_A& file)
{
    if (!IsPlainCabinetName(file.NameInCabinet))
        return false;
    const bool uninstaller = extraction.FilesExtracted == UninstallerPosition;
    TString target = uninstaller ? UninstallerPath : extraction.Destination.Concat(file.NameInCabinet);
    if (target.Length() >= sizeof file.FullTargetName)
        return false;
    memcpy(file.FullTargetName, target.CStr(), target.Length() + 1);
    TString aside;
    if (FileThere(extraction, target, file.NameInCabinet, uninstaller) && !MoveAside(target, aside))
        return false;
    RememberTarget(extraction, target, aside);
    return true;
}

UINT OnFileInCabinet(TExtraction& extraction, FILE_IN_CABINET_INFO_A& file)
{
    if (extraction.Failed || !ChooseTarget(extraction, file)) {
        // Refused like a damaged archive. Some Setup API versions take the abort for a skip and go on,
        // so the refusal is also remembered: it fails the extraction afterwards, and every later file
        // is refused too, since the files counted no longer tell which one is the uninstaller.
        extraction.Failed = true;
        SetLastError(ERROR_INVALID_DATA);
        return FILEOP_ABORT;
    }
    extraction.CurrentFileSize = file.FileSize;
    lstrcpynA(extraction.CurrentName, file.NameInCabinet, sizeof extraction.CurrentName);
    extraction.NameShown = false;
    // Named on the screen before it is copied; the bar waits for the interval.
    if (file.FileSize >= LargeFile && extraction.ProgressWindow) {
        ShowName(extraction);
        PumpMessages();
    }
    return FILEOP_DOIT;
}

// The Setup API reports a file it could not create or write here, and goes on if told nothing.
UINT OnFileExtracted(TExtraction& extraction, const FILEPATHS_A& paths)
{
    if (paths.Win32Error != NO_ERROR) {
        extraction.Failed = true;
        SetLastError(paths.Win32Error);
        return paths.Win32Error;
    }
    extraction.BytesDone += static_cast<LONG>(extraction.CurrentFileSize);
    ++extraction.FilesExtracted;
    return NO_ERROR;
}

bool IsDeviceName(const char* name, size_t length)
{
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : devices)
        if (length == 3 && _strnicmp(name, device, 3) == 0)
            return true;
    return length == 4 && (_strnicmp(name, "COM", 3) == 0 || _strnicmp(name, "LPT", 3) == 0) && name[3] >= '1'
        && name[3] <= '9';
}

// One part of a name between backslashes.
bool IsPlainPart(const char* part, size_t length)
{
    if (!length)
        return false;
    const char last = part[length - 1];
    if (last == '.' || last == ' ')
        return false;
    // A device name stays a device with any extension ("NUL.txt"), and with blanks before it ("NUL  .txt").
    const char* dot = static_cast<const char*>(memchr(part, '.', length));
    size_t base = dot ? static_cast<size_t>(dot - part) : length;
    while (base && part[base - 1] == ' ')
        --base;
    return !IsDeviceName(part, base);
}
}

bool IsPlainCabinetName(const char* name)
{
    if (!name || !*name || strpbrk(name, ":/"))
        return false;
    for (const char* part = name;;) {
        const char* end = strchr(part, '\\');
        size_t length = end ? static_cast<size_t>(end - part) : strlen(part);
        if (!IsPlainPart(part, length))
            return false;
        if (!end)
            return true;
        part = end + 1;
    }
}

UINT CALLBACK ExtractionCallback(PVOID context, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    TExtraction& extraction = *static_cast<TExtraction*>(context);
    Refresh(extraction, false);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET:
        return OnFileInCabinet(extraction, *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter));
    case SPFILENOTIFY_FILEEXTRACTED:
        return OnFileExtracted(extraction, *reinterpret_cast<FILEPATHS_A*>(parameter));
    }
    return NO_ERROR;
}

TExtraction::TExtraction()
    : NewFolder(false), RefreshInterval(ProgressRefreshInterval), Begun(0), BegunCount(0), BegunCapacity(0)
{
    Clear();
}

TExtraction::~TExtraction() { delete[] Begun; }

void TExtraction::Clear()
{
    Destination.Assign("");
    Listing.Assign("");
    TotalBytes = 0;
    BytesDone = 0;
    FilesExtracted = 0;
    CurrentFileSize = 0;
    ProgressWindow = 0;
    Label = 0;
    Bar = 0;
    Failed = false;
    LastRefresh = 0;
    LastPosition = 0;
    CurrentName[0] = 0;
    NameShown = true;
    BegunCount = 0;
}

bool TakeBackFiles(const TExtraction& extraction)
{
    // Last first: a name the archive holds twice was moved aside twice, the second time this run's file.
    bool all = true;
    for (DWORD i = extraction.BegunCount; i-- > 0;) {
        const TBegunFile& begun = extraction.Begun[i];
        if (begun.Aside.IsEmpty())
            DeleteFileA(begun.Target.CStr());
        else if (!PutBack(begun.Target.CStr(), begun.Aside.CStr()))
            all = false;
    }
    // Notes of copies not put back stay for the next run; those put back are passed over then.
    if (all)
        ForgetMovedAside(extraction);
    return all;
}

void DropMovedAside(const TExtraction& extraction)
{
    if (!MovedAny(extraction))
        return;
    HKEY notes = OpenRegKey(HKEY_LOCAL_MACHINE, MovedAsideKey, true, false);
    WriteRegDword(notes, MovedAsideCommittedValue, 1);
    if (notes)
        RegCloseKey(notes);
    for (DWORD i = 0; i < extraction.BegunCount; ++i)
        if (!extraction.Begun[i].Aside.IsEmpty())
            DeleteFileA(extraction.Begun[i].Aside.CStr());
    ForgetMovedAside(extraction);
}

void RecoverMovedAside()
{
    HKEY notes = OpenRegKey(HKEY_LOCAL_MACHINE, MovedAsideKey, false, false);
    if (!notes)
        return;
    DWORD committed = 0;
    ReadRegDword(notes, MovedAsideCommittedValue, committed);
    // The notes as a list of files begun, each with its copy.
    TExtraction noted;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(notes, index, name, &length, 0, 0, 0, 0) != ERROR_SUCCESS)
            break;
        TString original;
        if (!SamePath(name, MovedAsideCommittedValue) && ReadRegString(original, notes, name))
            RememberTarget(noted, original, TString(name));
    }
    RegCloseKey(notes);
    DWORD handled = 0;
    for (DWORD i = 0; i < noted.BegunCount; ++i) {
        TBegunFile& copy = noted.Begun[i];
        if (committed ? DeleteFileA(copy.Aside.CStr()) || !IsFile(copy.Aside.CStr())
                      : PutBack(copy.Target.CStr(), copy.Aside.CStr()))
            noted.Begun[handled++] = copy;
    }
    noted.BegunCount = handled;
    ForgetMovedAside(noted);
}

int ProgressPosition(LONGLONG done, LONGLONG total)
{
    if (total <= 0)
        return 100;
    return static_cast<int>(done * 100 / total);
}

bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination, bool newFolder,
                    TExtraction& extraction)
{
    extraction.Clear();
    extraction.Destination = destination;
    extraction.NewFolder = newFolder;
    PumpMessages();
    InitCommonControlsFromSystem();
    // Unattended, no copy window: the extraction runs as it would without one.
    extraction.ProgressWindow = Unattended
        ? 0
        : CreateDialogParamA(Screen.Instance, MAKEINTRESOURCEA(IDD_COPY_PROGRESS), owner, CopyProgressProc, 0);
    if (extraction.ProgressWindow) {
        extraction.Label = GetDlgItem(extraction.ProgressWindow, IDC_COPY_FILE);
        extraction.Bar = GetDlgItem(extraction.ProgressWindow, IDC_COPY_BAR);
    }
    EnableWindow(owner, FALSE);
    bool done = SetupIterateCabinetA(cabinet, 0, SizingCallback, &extraction);
    if (done && !newFolder)
        ListDestination(extraction);
    done = done && SetupIterateCabinetA(cabinet, 0, ExtractionCallback, &extraction) && !extraction.Failed;
    Refresh(extraction, true);
    if (!done)
        MessageBoxByIds(owner, IDS_EXTRACT_FAILED, IDS_SETUP_CAPTION, MB_ICONHAND);
    EnableWindow(owner, TRUE);
    if (extraction.ProgressWindow)
        DestroyWindow(extraction.ProgressWindow);
    extraction.ProgressWindow = 0;
    PumpMessages();
    return done;
}
