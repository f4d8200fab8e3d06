// The removal engine: on its own thread, the record, the product's files, the folders setup made and
// the shortcuts, each stage marked on the progress page; what could not go is listed.
#include "uninstaller.h"

#include <commctrl.h>

#include "folder_rules.h"
#include "paths.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "state.h"

namespace {
void NoteNotRemoved(const TString& item, DWORD error)
{
    static_cast<TArray<TString>&>(NotRemoved).Add(item);
    static_cast<TArray<int>&>(NotRemoved).Add(static_cast<int>(error));
}

void DeleteSubkey(const char* parentPath, UINT nameId)
{
    HKEY parent = OpenRegKey(HKEY_LOCAL_MACHINE, parentPath, false, false);
    if (!parent)
        return;
    TString name;
    name.Load(Screen.Instance, nameId);
    DeleteRegTree(parent, name.CStr());
    RegCloseKey(parent);
}

void RemoveRecord()
{
    TString vendor;
    vendor.Load(Screen.Instance, IDS_VENDOR_KEY);
    DeleteSubkey(vendor.CStr(), IDS_PRODUCT_KEY_NAME);
    DeleteSubkey(UninstallKeyPath.CStr(), IDS_UNINSTALL_ENTRY_NAME);
    HKEY help = OpenRegKey(HKEY_LOCAL_MACHINE, HelpKey, false, false);
    if (help) {
        TStringArray values;
        LoadStringList(values, Screen.Instance, IDS_HELP_VALUES);
        for (int i = 0; i < values.Count(); ++i)
            RegDeleteValueA(help, values.At(i).CStr());
        RegCloseKey(help);
    }
    TString appPath;
    appPath.Load(Screen.Instance, IDS_APP_PATH_KEY);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, appPath.CStr());
}

void RemoveFiles()
{
    TStringArray files;
    LoadStringList(files, Screen.Instance, IDS_PRODUCT_FILES);
    EnsureTrailingBackslash(InstallFolder);
    for (int i = 0; i < files.Count(); ++i) {
        if (DeleteFileA(InstallFolder.Concat(files.At(i).CStr()).CStr()))
            continue;
        // A help index never made, or a file whose folder the user deleted, is simply not there.
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            NoteNotRemoved(files.At(i), error);
    }
}

void RemoveFolders()
{
    TString stoppedAt;
    RemoveFolderChain(InstallFolder, ExistedFolder, &stoppedAt);
    if (!stoppedAt.IsEmpty())
        NoteNotRemoved(stoppedAt, GetLastError());
}

void DeleteShortcutSet()
{
    ReadShortcutLocations();
    const bool none[ShortcutLocationCount] = {};
    MatchShortcutSet(none, TLinkInfo());
}

void FinishRemoval(HWND page)
{
    // An unattended removal has no page to show its end on.
    if (!page) {
        RemovalDone = true;
        return;
    }
    HWND sheet = GetParent(page);
    ShowWindow(GetDlgItem(page, IDC_RESULT), SW_SHOW);
    TString text;
    text.Load(Screen.Instance, IDS_REMOVAL_DONE);
    SetDlgItemTextA(page, IDC_HEADING, text.CStr());
    // Done before the way out opens, so that no exit can come before it.
    RemovalDone = true;
    if (!AnythingNotRemoved()) {
        EnableWindow(GetDlgItem(sheet, IDCANCEL), TRUE);
        EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
        text.Load(Screen.Instance, IDS_NOTHING_LEFT);
        SetDlgItemTextA(page, IDC_RESULT, text.CStr());
    } else {
        SendMessageA(sheet, PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
        // Some property sheets enable Close again with the buttons; it stays off until the list page.
        EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
    }
}
}

void ShowStage(HWND page, int mark)
{
    if (!page)  // unattended
        return;
    HANDLE icon = LoadImageA(Screen.Instance, MAKEINTRESOURCEA(IDI_STAGE_MARK), IMAGE_ICON, 0, 0, LR_SHARED);
    SendDlgItemMessageA(page, mark, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

bool AnythingNotRemoved() { return static_cast<TArray<TString>&>(NotRemoved).Count() != 0; }

bool InstallDriveReachable() { return IsDirectory(DriveRoot(InstallFolder.CStr()).CStr()); }

void __cdecl RunRemoval(void* page)
{
    HWND progress = static_cast<HWND>(page);
    RemoveRecord();
    ShowStage(progress, IDC_REGISTRY_MARK);
    RemoveFiles();
    ShowStage(progress, IDC_FILES_MARK);
    RemoveFolders();
    ShowStage(progress, IDC_FOLDER_MARK);
    DeleteShortcutSet();
    FinishRemoval(progress);
}
