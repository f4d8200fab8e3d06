// The folder page and the shell folder browser it opens.
#include <windows.h>
#include <shlobj.h>

#include "folder_check.h"
#include "installer.h"
#include "message.h"
#include "pages.h"
#include "paths.h"
#include "resource.h"
#include "state.h"

namespace {
void OnFolderInit(HWND page)
{
    SetSidePicture(page, IDB_FOLDER);
    SetDlgItemTextA(page, IDC_FOLDER_EDIT, DefaultInstallFolder().CStr());
}

LONG OnFolderNext(HWND page)
{
    // The field may hold more than a folder can have: the first 259 characters are what is checked.
    GetDlgItemTextA(page, IDC_FOLDER_EDIT, InstallChoices.InstallFolder, sizeof InstallChoices.InstallFolder);
    if (UINT refusal = FolderRefusal(InstallChoices.InstallFolder)) {
        MessageBoxByIds(page, refusal, IDS_SETUP_CAPTION, MB_ICONHAND);
        return -1;
    }
    return 0;
}

INT_PTR OnFolderNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        return TRUE;
    case PSN_WIZNEXT:
        return AnswerSheet(page, OnFolderNext(page));
    case PSN_QUERYCANCEL:
        return AnswerSheet(page, KeepSetupOnCancel(page));
    }
    return FALSE;
}

INT_PTR OnFolderCommand(HWND page, WPARAM wParam)
{
    if (LOWORD(wParam) != IDC_BROWSE || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    GetDlgItemTextA(page, IDC_FOLDER_EDIT, BrowseBuffer, sizeof BrowseBuffer);
    BrowseInstallFolder(page);
    SetDlgItemTextA(page, IDC_FOLDER_EDIT, BrowseBuffer);
    return TRUE;
}
}

TString DefaultInstallFolder()
{
    TString subfolder;
    subfolder.Load(Screen.Instance, IDS_PRODUCT_SUBFOLDER);
    return ProgramFilesFolder.Concat(subfolder.CStr());
}

UINT FolderRefusal(const char* folder)
{
    if (!IsValidInstallPath(folder))
        return IDS_BAD_FOLDER;
    if (!IsDriveSuitable(folder))
        return IDS_NO_SPACE;
    return 0;
}

INT_PTR CALLBACK InstallFolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnFolderInit(page);
        return TRUE;
    case WM_NOTIFY:
        return OnFolderNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        return OnFolderCommand(page, wParam);
    }
    return FALSE;
}

void BrowseInstallFolder(HWND owner)
{
    TString title, subfolder;
    title.Load(Screen.Instance, IDS_BROWSE_TITLE);
    subfolder.Load(Screen.Instance, IDS_PRODUCT_SUBFOLDER);
    LPITEMIDLIST root = 0;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root)))
        root = 0;
    char displayName[MAX_PATH];
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pidlRoot = root;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.CStr();
    browse.lpfn = BrowseCallback;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    char path[MAX_PATH];
    if (chosen && SHGetPathFromIDListA(chosen, path)) {
        TString folder(path);
        StripTrailingBackslash(folder);
        folder.Append(subfolder.CStr());
        // A result that does not fit the folder field is refused: the field keeps what it had.
        if (folder.Length() < sizeof BrowseBuffer)
            lstrcpynA(BrowseBuffer, folder.CStr(), sizeof BrowseBuffer);
    }
    IMalloc* allocator = 0;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        if (chosen)
            allocator->Free(chosen);
        if (root)
            allocator->Free(root);
        allocator->Release();
    }
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM)
{
    switch (message) {
    case BFFM_INITIALIZED:
        if (BrowseBuffer[0])
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(BrowseBuffer));
        CentreOnScreen(window);
        break;
    case BFFM_SELCHANGED: {
        char path[MAX_PATH] = "";
        bool usable = SHGetPathFromIDListA(reinterpret_cast<LPITEMIDLIST>(lParam), path) && path[0]
            && IsDriveSuitable(path);
        SendMessageA(window, BFFM_ENABLEOK, usable, usable);
        break;
    }
    }
    return 0;
}
