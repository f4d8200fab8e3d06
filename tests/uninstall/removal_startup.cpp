// The uninstaller's ways that remove nothing: its refusals at start-up, for each state of the record and
// for a running application, and the change of shortcuts.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "boxes.h"
#include "check.h"
#include "files.h"
#include "machine.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "removal_test.h"
#include "steps.h"
#include "texts.h"

namespace removal {

void StartupChecks()
{
    CHECK(InstallWithKit());
    const char* const notInstalled = uninstall_texts::NotInstalled;
    const char* const badlyInstalled = uninstall_texts::BadlyInstalled;
    const char* dir = "C:\\Program Files\\Тиктон\\";
    const char* existed = "C:\\Program Files\\";
    struct {
        const char* name;
        bool key;
        const char *installDir, *existedDir;
        DWORD type, version;
        const char* message;
    } const cases[] = {
        {"no product key", false, 0, 0, REG_NONE, 0, notInstalled},
        {"no InstDirExisted, wrong version", true, dir, 0, REG_DWORD, 0x33F, badlyInstalled},
        {"empty InstDirExisted", true, dir, "", REG_DWORD, 0x340, badlyInstalled},
        {"version 0x33F", true, dir, existed, REG_DWORD, 0x33F, OtherVersion},
        {"version 0x341", true, dir, existed, REG_DWORD, 0x341, OtherVersion},
        {"version as text", true, dir, existed, REG_SZ, 0, OtherVersion},
        {"no InstallDir, no version", true, 0, existed, REG_NONE, 0, OtherVersion},
        {"empty InstallDir", true, "", existed, REG_DWORD, 0x340, notInstalled},
    };
    for (const auto& c : cases) {
        printf("case: %s\n", c.name);
        if (c.key)
            SetProductKey(c.installDir, c.existedDir, c.type, c.version);
        else
            DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(c.message, IDOK);
        CHECK_EQ(uninstaller.Wait(), 255);
    }

    SetProductKey(dir, existed, REG_DWORD, 0x340);
    {
        driver::TProgram app;
        app.Start(Application);
        CHECK(driver::WaitWindow("TTiktonForm", "") != 0);
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(AppRunning, IDNO);
        CHECK_EQ(uninstaller.Wait(), 255);
        CHECK(app.Running());
    }
    {
        driver::TProgram first, second;
        first.Start(Application);
        second.Start(Application);
        CHECK(driver::WaitUntil([] {
            HWND one = FindWindowA("TTiktonForm", 0);
            return one && FindWindowExA(0, one, "TTiktonForm", 0);
        }));
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(AppRunning, IDYES);
        // Cancel on the welcome page changes nothing and leaves the uninstaller on disk.
        HWND sheet = driver::WaitWizard("Добро пожаловать");
        CHECK(sheet != 0);
        Shot(sheet, "welcome");
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
        CHECK_EQ(uninstaller.Wait(), 0);
        CHECK_EQ(first.Wait(), 0);
        CHECK_EQ(second.Wait(), 0);
        CHECK(KeyExists(ProductKey));
        CHECK(Exists(Uninstaller));
    }
}

void Shortcuts()
{
    CHECK(InstallWithKit());
    // On the NT family the user's own Programs menu link as well, behind the all-users one setup made.
    const std::string userPrograms = Link(HKEY_CURRENT_USER, "Programs");
    if (IsWinNT)
        CloseHandle(CreateFileA(userPrograms.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    HWND page = Next(sheet, "Интерфейс");
    // Preset from the link files setup made: on the NT family the all-users Programs menu, elsewhere the
    // user's; the user's desktop, ticked at setup; Quick Launch where the system has it.
    const bool nt = IsWinNT;
    const bool quickLaunch = QuickLaunchSupported;
    CheckShortcutBoxes(page, true, "preset");
    Shot(sheet, "shortcuts");
    if (nt) {
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(!driver::Checked(page, IDC_USER_DESKTOP) && !driver::Enabled(page, IDC_USER_DESKTOP));
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(driver::Checked(page, IDC_USER_DESKTOP) && driver::Enabled(page, IDC_USER_DESKTOP));
        // A user's link behind an all-users one is not offered back: the pair keeps one shortcut.
        driver::Click(page, IDC_COMMON_PROGRAMS);
        CHECK(!driver::Checked(page, IDC_USER_PROGRAMS) && driver::Enabled(page, IDC_USER_PROGRAMS));
        driver::Click(page, IDC_COMMON_PROGRAMS);
    }
    if (quickLaunch)
        driver::Click(page, IDC_QUICK_LAUNCH);
    driver::Click(page, IDC_USER_START_MENU);
    // Back and forth keeps the ticks.
    driver::PressWizardButton(sheet, PSBTN_BACK);
    CHECK(driver::WaitWizard("Выбор действия") == sheet);
    Next(sheet, "Интерфейс");
    CHECK(driver::Checked(page, IDC_USER_START_MENU) && !driver::Checked(page, IDC_QUICK_LAUNCH));
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(Exists(Link(nt ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, nt ? "Common Programs" : "Programs")));
    CHECK(Exists(userPrograms) == !nt);
    CHECK(Exists(Link(HKEY_CURRENT_USER, "Desktop")));
    CHECK(Exists(Link(HKEY_CURRENT_USER, "Start Menu")));
    CHECK(!Exists(QuickLaunchLink()));
    CHECK(KeyExists(ProductKey));
    CHECK(Exists(std::string(Folder) + "\\Tikton.exe"));
    // Changing the shortcuts is no removal: the uninstaller stays and writes no deletion program.
    CHECK(Exists(Uninstaller));
    CHECK(!Exists(DeleteMe));
    CHECK(!Exists(DeleteScript));
}

}  // namespace removal
