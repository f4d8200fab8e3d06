// The uninstaller run in-process for what Wine cannot be from outside, a user outside the
// Administrators group on the NT family: removal cannot be chosen, the all-users shortcuts are shown
// but neither created nor deleted. The record and the link files are made here as setup leaves them.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "shortcut.h"
#include "uninstaller.h"

namespace {
const char Folder[] = "C:\\Program Files\\Тиктон\\";

std::string LinkIn(TShortcutLocation location) { return std::string(ReadShortcutFolder(location).CStr()) + "\\Тиктон.lnk"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (!sheet)
        return 0;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Выбор действия") == sheet);
    HWND action = driver::CurrentPage(sheet);
    CHECK(driver::Checked(action, 102));
    CHECK(!driver::Enabled(action, 104) && !driver::Enabled(action, 105));
    CHECK_TEXT(driver::Text(action, 104).c_str(), "&Удалить все файлы (только Администраторы)");
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Интерфейс") == sheet);
    HWND page = driver::CurrentPage(sheet);
    // The all-users desktop shortcut shows, but its box cannot be changed; its user partner is locked.
    CHECK(driver::Checked(page, 109) && !driver::Enabled(page, 109));
    CHECK(!driver::Enabled(page, 107) && !driver::Enabled(page, 110) && !driver::Enabled(page, 111));
    CHECK(!driver::Checked(page, 103) && !driver::Enabled(page, 103));
    CHECK(driver::Checked(page, 105));
    driver::Click(page, 104);
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    return 0;
}
}

int main()
{
    InitPlatformFlags(UseWithoutFreeSpace);
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

    // The banner as the data resources and the string table gave it.
    const TTextData& title = Screen.TitleText;
    CHECK(title.PointSize == 38 && title.Bold && title.Italic && !title.Underline && !title.StrikeOut);
    CHECK(title.Color == RGB(255, 255, 255) && title.X == 13 && title.Y == 2);
    CHECK_TEXT(title.FaceName.CStr(), "Times New Roman");
    CHECK(Screen.Shadow.XOffset == 5 && Screen.Shadow.YOffset == 5 && Screen.Shadow.Color == RGB(0, 0, 0));
    const TTextData& notice = Screen.NoticeText;
    CHECK(notice.PointSize == 18 && notice.Bold && notice.Italic && notice.Color == RGB(0, 255, 255));
    CHECK(notice.X == 7 && notice.Y == 5);
    CHECK_TEXT(notice.FaceName.CStr(), "Times New Roman");
    CHECK(Screen.Colors.Top == RGB(0, 0, 255) && Screen.Colors.Bottom == RGB(128, 0, 0));
    CHECK(Screen.Colors.Solid == RGB(0, 128, 128));
    CHECK_TEXT(Screen.Title.CStr(), "Тиктон");
    return check::Finish("uninstall pages, not an administrator");
}
