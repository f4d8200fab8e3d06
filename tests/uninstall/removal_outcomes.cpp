// Removals and what they leave: a complete one, one that leaves files behind and lists them with the
// system's description of each error, and faults met while the worker runs.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "check.h"
#include "files.h"
#include "removal_test.h"
#include "steps.h"
#include "texts.h"
#include "tstring.h"

namespace removal {

namespace {
INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The width of the widest of the lines in the list page's list box: the page is made here from the
// uninstaller's own template, so that its list box has the font it has there.
LONG WidestListLine(const std::vector<std::string>& lines)
{
    HMODULE program = LoadLibraryExA(Uninstaller, 0, LOAD_LIBRARY_AS_DATAFILE);
    HWND page = CreateDialogParamA(program, MAKEINTRESOURCEA(IDD_NOT_REMOVED), 0, Inert, 0);
    HWND list = GetDlgItem(page, IDC_NOT_REMOVED_LIST);
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string& line : lines) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widest = std::max(widest, size.cx);
    }
    ReleaseDC(list, dc);
    DestroyWindow(page);
    FreeLibrary(program);
    return widest;
}
}

void Complete()
{
    CHECK(InstallWithKit());
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    Shot(sheet, "action");
    CHECK(RemoveAll(sheet));
    HWND page = driver::CurrentPage(sheet);
    CHECK_TEXT(driver::Text(page, IDC_RESULT).c_str(), NothingLeftResult);
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    // Once the uninstaller has exited, its deletion program or script removes it, then itself.
    CHECK(SelfRemoved());
    CheckRecordGone();
    CHECK(!Exists(Folder));
    CHECK(Exists("C:\\Program Files"));
    for (const std::string& link : {Link(HKEY_LOCAL_MACHINE, "Common Programs"), Link(HKEY_CURRENT_USER, "Desktop"),
                                    QuickLaunchLink()})
        CHECK_CASE(!Exists(link), link.c_str());
}

// What was left behind, listed with the system's description of each error. The installation folder
// has a name longer than the list is wide: the list scrolls far enough to show all of it.
void LeftBehind()
{
    const std::string folder = std::string(Folder) + " в папке с таким длинным именем что строка списка его не вмещает";
    CHECK(InstallWithKit(false, folder));
    const std::string mine = folder + "\\мой файл.txt";
    HANDLE file = CreateFileA(mine.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(file);
    // The desktop may still be reading the new shortcut's icon out of Tikton.exe: hold it once that is done.
    HANDLE locked = INVALID_HANDLE_VALUE;
    CHECK(driver::WaitUntil([&] {
        locked = CreateFileA((folder + "\\Tikton.exe").c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
        return locked != INVALID_HANDLE_VALUE;
    }));

    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    CHECK(!RemoveAll(sheet));
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    CHECK_TEXT(driver::Text(driver::CurrentPage(sheet), IDC_RESULT).c_str(),
               "Некоторые элементы не удалось удалить. Нажмите кнопку Далее, чтобы просмотреть список неудаленных элементов.");
    HWND page = Next(sheet, "Список неудаленных элементов");
    CHECK(driver::WaitUntil([&] { return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL); }));
    HWND list = GetDlgItem(page, IDC_NOT_REMOVED_LIST);
    CHECK_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    struct {
        const char* item;
        DWORD error;
    } const expected[] = {{"Tikton.exe", ERROR_SHARING_VIOLATION}, {folder.c_str(), ERROR_DIR_NOT_EMPTY}};
    for (int i = 0; i < 2; ++i) {
        CHECK_TEXT(driver::ListItem(list, i).c_str(), expected[i].item);
        // Selecting a line shows its own error.
        SendMessageA(list, LB_SETCURSEL, i, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NOT_REMOVED_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        CHECK_TEXT(driver::Text(page, IDC_ERROR_TEXT).c_str(), SystemErrorText(expected[i].error).CStr());
    }
    const LONG widest = WidestListLine({expected[0].item, expected[1].item});
    RECT box;
    GetClientRect(list, &box);
    CHECK(widest > box.right);
    const LRESULT extent = SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
    CHECK(extent >= widest && extent < 2 * widest);
    Shot(sheet, "not-removed");
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    CloseHandle(locked);
    CHECK(Exists(mine));
    CHECK(Exists(folder + "\\Tikton.exe"));
    CHECK(!Exists(folder + "\\Tikton.hlp"));
    CheckRecordGone();
}

// Faults during removal: a read-only product file, a folder of the user's in the installation folder,
// and a file the user writes there while the worker runs. Nothing of the user's goes; what stays is
// listed. The list is left by closing the screen.
void Faults()
{
    CHECK(InstallWithKit());
    const std::string hlp = std::string(Folder) + "\\Tikton.hlp";
    SetFileAttributesA(hlp.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string mine = std::string(Folder) + "\\Мои заметки";
    CreateDirectoryA(mine.c_str(), 0);
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    driver::Click(driver::CurrentPage(sheet), IDC_REMOVE_ALL);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    // Written while the worker runs, or after it, whichever comes first.
    const std::string late = mine + "\\записка.txt";
    HANDLE file = CreateFileA(late.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(file);
    CHECK(driver::WaitWizard("Удаление файлов") == sheet);
    CHECK(driver::WaitUntil([&] { return driver::WizardButtonEnabled(sheet, PSBTN_NEXT); }));
    Next(sheet, "Список неудаленных элементов");
    HWND list = GetDlgItem(driver::CurrentPage(sheet), IDC_NOT_REMOVED_LIST);
    CHECK_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    CHECK_TEXT(driver::ListItem(list, 0).c_str(), "Tikton.hlp");
    CHECK_TEXT(driver::ListItem(list, 1).c_str(), Folder);
    // The screen closed from outside (End Task, another program) under the wizard: the removal has run,
    // so the uninstaller ends and still removes itself.
    PostMessageA(FindWindowA("clUninstallerWindow", 0), WM_CLOSE, 0, 0);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(SelfRemoved());
    CHECK(Exists(late));
    CHECK(Exists(hlp));
    CHECK(!Exists(std::string(Folder) + "\\Tikton.exe"));
}

}  // namespace removal
