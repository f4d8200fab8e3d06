// Cabinet extraction through the Setup API: a sizing pass that writes nothing, then the extraction
// pass, which keeps the screen painted between files and moves the bar by the bytes written.
#include "extract.h"

#include <commctrl.h>
#include <setupapi.h>
#include <string.h>

#include "message.h"
#include "resource.h"
#include "screen.h"
#include "state.h"

namespace {
const DWORD UninstallerPosition = 4;  // the archive's fifth file is the uninstaller
// Drawing costs a trip to the window system, dearer than writing a small file: the label and the bar
// are told of every change but drawn, and the screen kept alive, at most this often (in ms); the bar
// moves only when its position changes.
const DWORD RefreshInterval = 100;
// A file this large takes about an interval to copy on a slow machine: its name is drawn before it is.
const DWORD LargeFile = 1024 * 1024;

void SetRedraw(int control, bool redraw)
{
    SendDlgItemMessageA(Extraction.ProgressWindow, control, WM_SETREDRAW, redraw, 0);
}

void Draw(int control)
{
    SetRedraw(control, true);
    RedrawWindow(GetDlgItem(Extraction.ProgressWindow, control), 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetRedraw(control, false);
}

// Keeps the screen alive and painted, when the interval has passed. The label and the bar draw only here.
void Refresh(bool now)
{
    const DWORD tick = GetTickCount();
    if (!now && tick - Extraction.LastRefresh < RefreshInterval)
        return;
    Extraction.LastRefresh = tick;
    if (Extraction.ProgressWindow) {
        Draw(IDC_COPY_FILE);
        Draw(IDC_COPY_BAR);
    }
    PumpMessages();
}

// The targets this extraction began to write, in order; the last may be only partly written.
struct TBegunTargets {
    TString* items;
    DWORD count;
    DWORD capacity;
} Begun;
// A file of the target's name that was there before is taken as written only once it has been.
TString ExistingTarget;

void RememberTarget(const TString& target)
{
    if (Begun.count == Begun.capacity) {
        const DWORD capacity = Begun.capacity ? Begun.capacity * 2 : 8;
        TString* grown = new TString[capacity];
        for (DWORD i = 0; i < Begun.count; ++i)
            grown[i] = Begun.items[i];
        delete[] Begun.items;
        Begun.items = grown;
        Begun.capacity = capacity;
    }
    Begun.items[Begun.count++] = target;
}

INT_PTR CALLBACK CopyProgressProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

UINT CALLBACK SizingCallback(PVOID, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    if (notification != SPFILENOTIFY_FILEINCABINET)
        return NO_ERROR;
    Extraction.TotalBytes += reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter)->FileSize;
    return FILEOP_SKIP;
}

// The target of the next file, remembered as written from now on, or false when the archive names
// something that must not be written.
bool ChooseTarget(FILE_IN_CABINET_INFO_A& file, const TString& destination)
{
    if (!IsPlainCabinetName(file.NameInCabinet))
        return false;
    TString target = Extraction.FilesExtracted == UninstallerPosition
        ? UninstallerPath
        : destination.Concat(file.NameInCabinet);
    if (target.Length() >= sizeof file.FullTargetName)
        return false;
    memcpy(file.FullTargetName, target.CStr(), target.Length() + 1);
    if (GetFileAttributesA(target.CStr()) == INVALID_FILE_ATTRIBUTES)
        RememberTarget(target);
    else
        ExistingTarget = target;
    return true;
}

UINT OnFileInCabinet(FILE_IN_CABINET_INFO_A& file, const TString& destination)
{
    if (Extraction.Refused || !ChooseTarget(file, destination)) {
        // Refused like a damaged archive. Some Setup API versions take the abort for a skip and go on,
        // so the refusal is also remembered: it fails the extraction afterwards, and every later file
        // is refused too, since the files counted no longer tell which one is the uninstaller.
        Extraction.Refused = true;
        SetLastError(ERROR_INVALID_DATA);
        return FILEOP_ABORT;
    }
    Extraction.CurrentFileSize = file.FileSize;
    if (Extraction.ProgressWindow)
        SetDlgItemTextA(Extraction.ProgressWindow, IDC_COPY_FILE, file.NameInCabinet);
    if (file.FileSize >= LargeFile)
        Refresh(true);
    return FILEOP_DOIT;
}

UINT OnFileExtracted()
{
    if (!ExistingTarget.IsEmpty()) {
        RememberTarget(ExistingTarget);
        ExistingTarget = TString();
    }
    Extraction.BytesDone += static_cast<LONG>(Extraction.CurrentFileSize);
    const int position = ProgressPosition(Extraction.BytesDone, Extraction.TotalBytes);
    if (Extraction.ProgressWindow && position != Extraction.LastPosition) {
        Extraction.LastPosition = position;
        SendDlgItemMessageA(Extraction.ProgressWindow, IDC_COPY_BAR, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    ++Extraction.FilesExtracted;
    return NO_ERROR;
}

UINT CALLBACK ExtractionCallback(PVOID context, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    Refresh(false);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET:
        return OnFileInCabinet(*reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter),
                               *static_cast<const TString*>(context));
    case SPFILENOTIFY_FILEEXTRACTED:
        return OnFileExtracted();
    }
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
    // A device name stays a device with any extension ("NUL.txt").
    const char* dot = static_cast<const char*>(memchr(part, '.', length));
    return !IsDeviceName(part, dot ? static_cast<size_t>(dot - part) : length);
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

void DeleteExtractedFiles()
{
    for (DWORD i = 0; i < Begun.count; ++i)
        DeleteFileA(Begun.items[i].CStr());
}

int ProgressPosition(LONGLONG done, LONGLONG total)
{
    if (total <= 0)
        return 100;
    return static_cast<int>(done * 100 / total);
}

bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination)
{
    PumpMessages();
    InitCommonControlsFromSystem();
    Extraction.ProgressWindow =
        CreateDialogParamA(Screen.Instance, MAKEINTRESOURCEA(IDD_COPY_PROGRESS), owner, CopyProgressProc, 0);
    Extraction.LastPosition = -1;
    Begun.count = 0;
    ExistingTarget = TString();
    if (Extraction.ProgressWindow) {
        SetRedraw(IDC_COPY_FILE, false);
        SetRedraw(IDC_COPY_BAR, false);
    }
    EnableWindow(owner, FALSE);
    bool done = SetupIterateCabinetA(cabinet, 0, SizingCallback, 0)
        && SetupIterateCabinetA(cabinet, 0, ExtractionCallback, const_cast<TString*>(&destination))
        && !Extraction.Refused;
    Refresh(true);
    if (!done)
        MessageBoxByIds(owner, IDS_EXTRACT_FAILED, IDS_SETUP_CAPTION, MB_ICONHAND);
    EnableWindow(owner, TRUE);
    if (Extraction.ProgressWindow)
        DestroyWindow(Extraction.ProgressWindow);
    Extraction.ProgressWindow = 0;
    PumpMessages();
    return done;
}
