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
#include "switches.h"

namespace {
const DWORD UninstallerPosition = 4;  // the archive's fifth file is the uninstaller
// Drawing costs a trip to the window system, dearer than writing a small file: the label and the bar
// are told of every change but drawn, and the screen kept alive, at most this often (in ms); the bar
// moves only when its position changes.
const DWORD RefreshInterval = 100;
// A file this large takes about an interval to copy on a slow machine: its name is drawn before it is.
const DWORD LargeFile = 1024 * 1024;

void SetRedraw(const TExtraction& extraction, int control, bool redraw)
{
    SendDlgItemMessageA(extraction.ProgressWindow, control, WM_SETREDRAW, redraw, 0);
}

void Draw(const TExtraction& extraction, int control)
{
    SetRedraw(extraction, control, true);
    RedrawWindow(GetDlgItem(extraction.ProgressWindow, control), 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetRedraw(extraction, control, false);
}

// Keeps the screen alive and painted, when the interval has passed. The label and the bar draw only here.
void Refresh(TExtraction& extraction, bool now)
{
    const DWORD tick = GetTickCount();
    if (!now && tick - extraction.LastRefresh < RefreshInterval)
        return;
    extraction.LastRefresh = tick;
    if (extraction.ProgressWindow) {
        Draw(extraction, IDC_COPY_FILE);
        Draw(extraction, IDC_COPY_BAR);
    }
    PumpMessages();
}

void RememberTarget(TExtraction& extraction, const TString& target)
{
    if (extraction.BegunCount == extraction.BegunCapacity) {
        const DWORD capacity = extraction.BegunCapacity ? extraction.BegunCapacity * 2 : 8;
        TString* grown = new TString[capacity];
        for (DWORD i = 0; i < extraction.BegunCount; ++i)
            grown[i] = extraction.Begun[i];
        delete[] extraction.Begun;
        extraction.Begun = grown;
        extraction.BegunCapacity = capacity;
    }
    extraction.Begun[extraction.BegunCount++] = target;
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
// something that must not be written.
bool ChooseTarget(TExtraction& extraction, FILE_IN_CABINET_INFO_A& file)
{
    if (!IsPlainCabinetName(file.NameInCabinet))
        return false;
    TString target = extraction.FilesExtracted == UninstallerPosition
        ? UninstallerPath
        : extraction.Destination.Concat(file.NameInCabinet);
    if (target.Length() >= sizeof file.FullTargetName)
        return false;
    memcpy(file.FullTargetName, target.CStr(), target.Length() + 1);
    if (GetFileAttributesA(target.CStr()) == INVALID_FILE_ATTRIBUTES)
        RememberTarget(extraction, target);
    else
        extraction.ExistingTarget = target;
    return true;
}

UINT OnFileInCabinet(TExtraction& extraction, FILE_IN_CABINET_INFO_A& file)
{
    if (extraction.Refused || !ChooseTarget(extraction, file)) {
        // Refused like a damaged archive. Some Setup API versions take the abort for a skip and go on,
        // so the refusal is also remembered: it fails the extraction afterwards, and every later file
        // is refused too, since the files counted no longer tell which one is the uninstaller.
        extraction.Refused = true;
        SetLastError(ERROR_INVALID_DATA);
        return FILEOP_ABORT;
    }
    extraction.CurrentFileSize = file.FileSize;
    if (extraction.ProgressWindow)
        SetDlgItemTextA(extraction.ProgressWindow, IDC_COPY_FILE, file.NameInCabinet);
    if (file.FileSize >= LargeFile)
        Refresh(extraction, true);
    return FILEOP_DOIT;
}

UINT OnFileExtracted(TExtraction& extraction)
{
    if (!extraction.ExistingTarget.IsEmpty()) {
        RememberTarget(extraction, extraction.ExistingTarget);
        extraction.ExistingTarget.Assign("");
    }
    extraction.BytesDone += static_cast<LONG>(extraction.CurrentFileSize);
    const int position = ProgressPosition(extraction.BytesDone, extraction.TotalBytes);
    if (extraction.ProgressWindow && position != extraction.LastPosition) {
        extraction.LastPosition = position;
        SendDlgItemMessageA(extraction.ProgressWindow, IDC_COPY_BAR, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    ++extraction.FilesExtracted;
    return NO_ERROR;
}

UINT CALLBACK ExtractionCallback(PVOID context, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    TExtraction& extraction = *static_cast<TExtraction*>(context);
    Refresh(extraction, false);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET:
        return OnFileInCabinet(extraction, *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter));
    case SPFILENOTIFY_FILEEXTRACTED:
        return OnFileExtracted(extraction);
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

TExtraction::TExtraction() : Begun(0), BegunCount(0), BegunCapacity(0) { Clear(); }

TExtraction::~TExtraction() { delete[] Begun; }

void TExtraction::Clear()
{
    Destination.Assign("");
    TotalBytes = 0;
    BytesDone = 0;
    FilesExtracted = 0;
    CurrentFileSize = 0;
    ProgressWindow = 0;
    Refused = false;
    LastRefresh = 0;
    LastPosition = -1;
    BegunCount = 0;
    ExistingTarget.Assign("");
}

void DeleteExtractedFiles(const TExtraction& extraction)
{
    for (DWORD i = 0; i < extraction.BegunCount; ++i)
        DeleteFileA(extraction.Begun[i].CStr());
}

int ProgressPosition(LONGLONG done, LONGLONG total)
{
    if (total <= 0)
        return 100;
    return static_cast<int>(done * 100 / total);
}

bool ExtractCabinet(HWND owner, const char* cabinet, const TString& destination, TExtraction& extraction)
{
    extraction.Clear();
    extraction.Destination = destination;
    PumpMessages();
    InitCommonControlsFromSystem();
    // Unattended, no copy window: the extraction runs as it would without one.
    extraction.ProgressWindow = Unattended
        ? 0
        : CreateDialogParamA(Screen.Instance, MAKEINTRESOURCEA(IDD_COPY_PROGRESS), owner, CopyProgressProc, 0);
    if (extraction.ProgressWindow) {
        SetRedraw(extraction, IDC_COPY_FILE, false);
        SetRedraw(extraction, IDC_COPY_BAR, false);
    }
    EnableWindow(owner, FALSE);
    bool done = SetupIterateCabinetA(cabinet, 0, SizingCallback, &extraction)
        && SetupIterateCabinetA(cabinet, 0, ExtractionCallback, &extraction) && !extraction.Refused;
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
