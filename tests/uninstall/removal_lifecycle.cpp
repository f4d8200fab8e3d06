// Whole lives of an installation: every box offered, a reinstallation, a change of shortcuts and a
// removal on each Windows version; and removals repeated while the user clicks at the wizard.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "check.h"
#include "files.h"
#include "install_ids.h"
#include "machine.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "removal_test.h"
#include "shortcut.h"
#include "steps.h"
#include "texts.h"

namespace removal {

// The whole life cycle on the Windows version Wine reports: installation with every box the system
// offers, a reinstallation, a change of shortcuts handed from setup to the uninstaller, a complete
// removal and self-deletion. Leaves a row for the matrix table in argv[3]/matrix-VERSION.md.
void LifeCycle(const std::string& version)
{
    CHECK(InstallWithKit(true));
    const TShortcutLocation all[] = {CommonDesktopLocation, CommonProgramsLocation, CommonStartMenuLocation,
                                     UserDesktopLocation,   UserProgramsLocation,   UserStartMenuLocation,
                                     QuickLaunchLocation};
    const char* const names[] = {"all-users desktop", "all-users Programs", "all-users Start menu", "desktop",
                                 "Programs", "Start menu", "Quick Launch"};
    std::string made;
    for (int i = 0; i < 7; ++i) {
        const bool common = i < 3;
        const bool expected = all[i] == QuickLaunchLocation ? QuickLaunchSupported : common == IsWinNT;
        const std::string link = LinkPathIn(ReadShortcutFolder(all[i]), "Тиктон.lnk").CStr();
        CHECK_CASE(!link.empty() || !ShortcutLocationExists(all[i]), names[i]);
        CHECK_CASE(Exists(link) == expected, names[i]);
        if (Exists(link))
            made += std::string(made.empty() ? "" : ", ") + names[i];
    }
    // The record and the files are the same on every system.
    TString value;
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue)
          && strcmp(value.CStr(), "C:\\Program Files\\Тиктон\\") == 0);
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, ProductKey, InstDirExistedValue)
          && strcmp(value.CStr(), "C:\\Program Files\\") == 0);
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue)
          && strcmp(value.CStr(), Uninstaller) == 0);
    CHECK(Exists(std::string(Folder) + "\\Tikton.exe"));
    CHECK_TEXT(EntryDetailsMismatch(Folder, Uninstaller).c_str(), "");

    // Setup again: reinstall, then change the shortcuts through the uninstaller it hands over to.
    for (int choice : {install_ids::IDC_REINSTALL, install_ids::IDC_CHANGE_INTERFACE}) {
        driver::TProgram install;
        CHECK(install.Start(KitInstall, "", KitInstall.substr(0, KitInstall.find_last_of('/'))));
        HWND sheet = driver::WaitWizard("Добро пожаловать");
        if (!sheet)
            return;
        Next(sheet, "Выбор действия");
        driver::Click(driver::CurrentPage(sheet), choice);
        driver::PressWizardButton(sheet, PSBTN_FINISH);
        if (choice == install_ids::IDC_REINSTALL) {
            std::string text;
            CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
            CHECK_TEXT(text.c_str(), InstallDone);
        }
        CHECK_EQ(install.Wait(), 1);
        CHECK_TEXT(EntryDetailsMismatch(Folder, Uninstaller).c_str(), "");
    }
    HWND sheet = PastWelcome("Выбор действия");
    if (!sheet)
        return;
    Next(sheet, "Интерфейс");
    const int desktopBox = IsWinNT ? IDC_COMMON_DESKTOP : IDC_USER_DESKTOP;
    CHECK(driver::Checked(driver::CurrentPage(sheet), desktopBox));
    driver::Click(driver::CurrentPage(sheet), desktopBox);
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    CHECK(driver::WaitGone(sheet));
    const std::string desktop = LinkPathIn(ReadShortcutFolder(IsWinNT ? CommonDesktopLocation : UserDesktopLocation),
                                           "Тиктон.lnk").CStr();
    CHECK(driver::WaitUntil([&] { return !Exists(desktop); }));

    // Removal and self-deletion.
    driver::TProgram uninstaller;
    sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    CHECK(RemoveAll(sheet));
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(SelfRemoved());
    CheckRecordGone();
    CHECK(!Exists(Folder));
    for (int i = 0; i < 7; ++i)
        CHECK_CASE(!Exists(LinkPathIn(ReadShortcutFolder(all[i]), "Тиктон.lnk").CStr()), names[i]);

    if (!Shots.empty()) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        GetVersionExA(&info);
        char row[512];
        snprintf(row, sizeof row, "| %s | %s %lu.%lu | %s | %s | %s |\n", version.c_str(),
                 IsWinNT ? "NT" : "9x", info.dwMajorVersion, info.dwMinorVersion, made.c_str(),
                 GetDiskFreeSpaceExFunc ? "GetDiskFreeSpaceExA" : "GetDiskFreeSpaceA",
                 check::Failures() ? "failed" : "passed");
        HANDLE file = CreateFileA(driver::WindowsPath(Shots + "/matrix-" + version + ".md").c_str(), GENERIC_WRITE,
                                  0, 0, CREATE_ALWAYS, 0, 0);
        DWORD written;
        WriteFile(file, row, static_cast<DWORD>(strlen(row)), &written, 0);
        CloseHandle(file);
    }
}

// The worker and the wizard: removals while the user presses Escape, the close command and the
// disabled buttons at every moment. Whenever the wizard closes, the removal has run to its end. The
// wizard shows the action page until it acts on Next, then the progress page, and the list only after
// a removal that left something behind (a file of the user's, in the first round); it never turns back.
void Repeated()
{
    for (int round = 0; round < 5; ++round) {
        printf("round %d\n", round);
        const bool leftBehind = round == 0;
        CHECK(InstallWithKit());
        const std::string mine = std::string(Folder) + "\\мой файл.txt";
        if (leftBehind)
            CloseHandle(CreateFileA(mine.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
        driver::TProgram uninstaller;
        HWND sheet = ToAction(uninstaller);
        if (!sheet)
            return;
        driver::Click(driver::CurrentPage(sheet), IDC_REMOVE_ALL);
        std::vector<std::string> order = {"Выбор действия", "Удаление файлов"};
        if (leftBehind)
            order.push_back("Список неудаленных элементов");
        size_t reached = 0;
        std::string strayed;
        // What can change the page is sent and waited for, so that every page it leads to is seen.
        auto press = [&](HWND target, UINT message, WPARAM wParam) {
            SendMessageTimeoutA(target, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, 0);
            const std::string page = driver::Text(sheet);
            const size_t at = std::find(order.begin(), order.end(), page) - order.begin();
            if (page.empty())
                return;
            if (at == order.size() || at < reached)
                strayed = strayed.empty() ? page : strayed;
            else
                reached = at;
        };
        press(sheet, PSM_PRESSBUTTON, PSBTN_NEXT);
        for (int i = 0; i < 400 && uninstaller.Running(); ++i) {
            // In the first round the list, once reached, must stay open until Back has been tried there.
            if (!leftBehind) {
                PostMessageA(sheet, WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                PostMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
                driver::PressWizardButton(sheet, PSBTN_CANCEL);
            }
            press(driver::WizardButton(sheet, PSBTN_BACK), BM_CLICK, 0);
            press(sheet, PSM_PRESSBUTTON, PSBTN_BACK);
            press(sheet, PSM_PRESSBUTTON, PSBTN_NEXT);
            if (!leftBehind)
                press(sheet, PSM_PRESSBUTTON, PSBTN_FINISH);
            Sleep(round);
        }
        if (uninstaller.Running())
            driver::PressWizardButton(sheet, PSBTN_CANCEL);
        CHECK_EQ(uninstaller.Wait(), 0);
        CHECK_TEXT(strayed.c_str(), "");
        // The next round's uninstaller must not be taken by this round's deletion program.
        CHECK(SelfRemoved());
        CheckRecordGone();
        CHECK(Exists(Folder) == leftBehind);
        CHECK(!Exists(std::string(Folder) + "\\Tikton.exe"));
        CHECK(!Exists(Link(HKEY_CURRENT_USER, "Desktop")));
        if (leftBehind) {
            CHECK(Exists(mine));
            DeleteFileA(mine.c_str());
            RemoveDirectoryA(Folder);
        }
    }
}

}  // namespace removal
