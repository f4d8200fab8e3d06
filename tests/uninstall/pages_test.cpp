// The uninstaller run in-process for what Wine cannot be from outside. Without an argument: a user
// outside the Administrators group on the NT family, who cannot choose removal and sees the all-users
// shortcuts without changing them; the record and the link files are made here as setup leaves them.
// With a case name: a removal with the disk as that case leaves it, through the progress page and the
// list page alone, so that the test program is never the uninstaller that deletes itself.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"
#include "files.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "shortcut.h"
#include "state.h"
#include "steps.h"
#include "texts.h"
#include "uninstaller.h"

namespace {
const char Folder[] = "C:\\Program Files\\Тиктон\\";

std::string LinkIn(TShortcutLocation location) { return std::string(ReadShortcutFolder(location).CStr()) + "\\Тиктон.lnk"; }

void MakeInstallation()
{
    CreateDirectoryA(Folder, 0);
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    WriteProductValues(key, true, TString(Folder), TString("C:\\Program Files\\"), TString("notice"));
    RegCloseKey(key);
    TLinkInfo link;
    link.Path.Assign(Folder).Append("Tikton.exe");
    // An all-users desktop shortcut and the user's own Start menu one.
    CreateShortcut(LinkIn(CommonDesktopLocation).c_str(), link, LinkPath);
    CreateShortcut(LinkIn(UserStartMenuLocation).c_str(), link, LinkPath);
}

DWORD WINAPI User(void*)
{
    HWND sheet = PastWelcome("Выбор действия");
    if (!sheet)
        return 0;
    HWND action = driver::CurrentPage(sheet);
    CHECK(driver::Checked(action, IDC_CHANGE_INTERFACE));
    CHECK(!driver::Enabled(action, IDC_REMOVE_ALL) && !driver::Enabled(action, IDC_REMOVE_ALL_NOTE));
    CHECK_TEXT(driver::Text(action, IDC_REMOVE_ALL).c_str(), uninstall_texts::RemoveAdminOnly);
    HWND page = Next(sheet, "Интерфейс");
    // The all-users desktop shortcut shows, but its box cannot be changed; its user partner is locked.
    CHECK(driver::Checked(page, IDC_COMMON_DESKTOP) && !driver::Enabled(page, IDC_COMMON_DESKTOP));
    CHECK(!driver::Enabled(page, IDC_COMMON_GROUP) && !driver::Enabled(page, IDC_COMMON_PROGRAMS)
          && !driver::Enabled(page, IDC_COMMON_START_MENU));
    CHECK(!driver::Checked(page, IDC_USER_DESKTOP) && !driver::Enabled(page, IDC_USER_DESKTOP));
    CHECK(driver::Checked(page, IDC_USER_START_MENU));
    // Next is not offered here; pressed all the same (by another program), it must not lead to a removal.
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    if (driver::CurrentPage(sheet) != page) {
        check::Fail(__FILE__, __LINE__, "Next left the shortcuts page for", driver::Text(sheet).c_str());
        ExitProcess(static_cast<UINT>(check::Finish("uninstall pages, not an administrator")));
    }
    driver::Click(page, IDC_USER_PROGRAMS);
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    return 0;
}

struct TRemovalCase {
    const char* name;
    const char* installDir;
    const char* existedDir;
    const char* folders[2];  // made before the removal, in order
    bool productFiles;       // the product's files in the last of them
    bool threadFails;        // no worker thread can be started
    const char* gone;        // a folder the removal must take, if any
    const char* stays;       // a folder it must leave, if any
    bool refused;            // the removal does nothing: the user is told why and the record stays
};

const TRemovalCase RemovalCases[] = {
    // The user deleted the installation folder by hand: nothing is listed, the parent setup made goes.
    {"folder-gone", "C:\\Program Files\\Наши программы\\Тиктон\\", "C:\\Program Files\\",
     {"C:\\Program Files\\Наши программы"}, false, false, "C:\\Program Files\\Наши программы", "C:\\Program Files", false},
    // No worker thread can be had: the removal must still run and the wizard open its way out.
    {"no-thread", "C:\\Program Files\\Тиктон\\", "C:\\Program Files\\", {"C:\\Program Files\\Тиктон"}, true, true,
     "C:\\Program Files\\Тиктон", "C:\\Program Files", false},
    // The installation's drive is not there (a network or removable drive, a SUBST): every file would
    // count as already gone and the record would go with nothing left to remove the files later.
    {"drive-gone", "Q:\\Тиктон\\", "Q:\\", {}, false, false, 0, 0, true},
};
const TRemovalCase* Case;

const char DriveUnreachable[] =
    "Диск, на котором установлен Тиктон, недоступен. Подключите его и снова запустите программу удаления.\r\n\r\n"
    "Продолжение удаления невозможно. Папка программы:\r\n";

uintptr_t __cdecl NoThread(void(__cdecl*)(void*), unsigned, void*) { return static_cast<uintptr_t>(-1); }

void MakeProductFiles(const char* folder)
{
    TStringArray files;
    LoadStringList(files, 0, IDS_PRODUCT_FILES);
    for (int i = 0; i < files.Count(); ++i) {
        const std::string path = std::string(folder) + "\\" + files.At(i).CStr();
        CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
    }
}

// Waits for the way out of the progress page: Close after a removal that left nothing behind.
DWORD WINAPI CloseAfterRemoval(void*)
{
    HWND sheet = driver::WaitWizard("Удаление файлов");
    CHECK(sheet != 0);
    if (!sheet)
        return 0;
    HWND page = driver::CurrentPage(sheet);
    if (!driver::WaitUntil([&] {
            return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL) || driver::WizardButtonEnabled(sheet, PSBTN_NEXT);
        })) {
        // Nothing can close the wizard now.
        check::Fail(__FILE__, __LINE__, "the removal opened no way out", 0);
        ExitProcess(static_cast<UINT>(check::Finish("uninstall pages, removal")));
    }
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_CANCEL));
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    CHECK_TEXT(driver::Text(page, IDC_HEADING).c_str(), RemovalHeading);
    CHECK_TEXT(driver::Text(page, IDC_RESULT).c_str(), NothingLeftResult);
    // Something left behind (the checks above have failed): Close opens on the list page.
    if (driver::WizardButtonEnabled(sheet, PSBTN_NEXT))
        Next(sheet, "Список неудаленных элементов");
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    return 0;
}

// The message that names the folder; the wizard closes by itself after it.
DWORD WINAPI AnswerRefusal(void*)
{
    std::string text;
    if (driver::AnswerMessageBox(UninstallCaption, IDOK, &text)) {
        CHECK_TEXT(text.c_str(), (std::string(DriveUnreachable) + Case->installDir).c_str());
        return 0;
    }
    check::Fail(__FILE__, __LINE__, "no message before the removal", 0);
    return CloseAfterRemoval(0);
}

int Removal(const std::string& name)
{
    const TRemovalCase* found = 0;
    for (const auto& c : RemovalCases)
        if (name == c.name)
            found = &c;
    if (!found) {
        check::Fail(__FILE__, __LINE__, "unknown case", name.c_str());
        return check::Finish("uninstall pages, removal");
    }
    Case = found;
    const TRemovalCase& c = *found;
    const char* last = 0;
    for (const char* folder : c.folders)
        if (folder) {
            CreateDirectoryA(folder, 0);
            last = folder;
        }
    if (c.productFiles)
        MakeProductFiles(last);
    if (c.threadFails)
        StartRemovalThread = NoThread;
    InstallFolder.Assign(c.installDir);
    ExistedFolder.Assign(c.existedDir);
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    WriteProductValues(key, true, InstallFolder, ExistedFolder, TString("notice"));
    RegCloseKey(key);
    Screen.Instance = GetModuleHandleA(0);
    int progress = 0;
    while (UninstallerPages[progress].Dialog != IDD_PROGRESS)
        ++progress;
    Screen.Pages = &UninstallerPages[progress];
    Screen.PageCount = UninstallerPageCount - progress;
    HANDLE user = CreateThread(0, 0, c.refused ? AnswerRefusal : CloseAfterRemoval, 0, 0, 0);
    RunWizard();
    WaitForSingleObject(user, driver::DefaultTimeout);
    CHECK_EQ(RemovalDone, !c.refused);
    // Refused, the uninstaller ends with 255 and keeps itself.
    CHECK_EQ(RemovalRefused, c.refused);
    TString dir;
    CHECK_EQ(ReadRegStringAt(dir, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue), c.refused);
    TArray<TString>& listed = NotRemoved;
    for (int i = 0; i < listed.Count(); ++i)
        check::Fail(__FILE__, __LINE__, "listed as not removed:", listed.At(i).CStr());
    if (c.gone)
        CHECK_CASE(!IsDirectory(c.gone), c.gone);
    if (c.stays)
        CHECK_CASE(IsDirectory(c.stays), c.stays);
    return check::Finish(("uninstall pages, removal " + name).c_str());
}
}

int main(int argc, char** argv)
{
    InitPlatformFlags(UseWithoutFreeSpace);
    if (argc > 1)
        return Removal(argv[1]);
    IsAdministrator = false;
    MakeInstallation();
    HANDLE user = CreateThread(0, 0, User, 0, 0, 0);
    CHECK_EQ(RunUninstaller(GetModuleHandleA(0)), 0);
    WaitForSingleObject(user, driver::DefaultTimeout);
    CHECK(Exists(LinkIn(CommonDesktopLocation)));
    CHECK(!Exists(LinkIn(CommonProgramsLocation)));
    CHECK(Exists(LinkIn(UserProgramsLocation)));
    CHECK(Exists(LinkIn(UserStartMenuLocation)));
    CHECK(!Exists(LinkIn(UserDesktopLocation)));
    TString dir;
    CHECK(ReadRegStringAt(dir, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue));
    // Unattended, removal is an administrator's, as on the action page: nothing is removed.
    CHECK_EQ(RunUninstaller(GetModuleHandleA(0), "/S"), ExitRefused);
    CHECK(ReadRegStringAt(dir, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue));
    CHECK(Exists(LinkIn(UserProgramsLocation)));

    // The banner as the data resources and the string table gave it.
    const TTextData& title = Screen.TitleText;
    CHECK(title.PointSize == 38 && title.Bold && title.Italic && !title.Underline && !title.StrikeOut);
    CHECK(title.Color == RGB(255, 255, 255) && title.X == 13 && title.Y == 2);
    CHECK_TEXT(title.FaceName.CStr(), uninstall_texts::TitleFace);
    CHECK(Screen.Shadow.XOffset == 5 && Screen.Shadow.YOffset == 5 && Screen.Shadow.Color == RGB(0, 0, 0));
    const TTextData& notice = Screen.NoticeText;
    CHECK(notice.PointSize == 18 && notice.Bold && notice.Italic && notice.Color == RGB(0, 255, 255));
    CHECK(notice.X == 7 && notice.Y == 5);
    CHECK_TEXT(notice.FaceName.CStr(), uninstall_texts::NoticeFace);
    CHECK(Screen.Colors.Top == RGB(0, 0, 255) && Screen.Colors.Bottom == RGB(128, 0, 0));
    CHECK(Screen.Colors.Solid == RGB(0, 128, 128));
    CHECK_TEXT(Screen.Title.CStr(), "Тиктон");
    return check::Finish("uninstall pages, not an administrator");
}
