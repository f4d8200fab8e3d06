// The installer's wizard as the user meets it: every page, every path, the folder checks, the folder
// browser, the linked shortcut boxes, and the first view on the Windows version Wine reports (argv[5]).
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "install_ids.h"
#include "machine.h"
#include "paths.h"
#include "session.h"
#include "steps.h"
#include "texts.h"

using namespace install_ids;
using namespace session;

namespace {
TPrograms Programs;
std::string Version;

using install_texts::BadFolder;

driver::TProgram* Running;

// A screenshot of what the test has just checked, once `shown` has painted it.
void Shot(HWND shown, const char* name)
{
    if (!Programs.screenshots.empty())
        CHECK_CASE(driver::Screenshot(Programs.screenshots + "/" + Version + "-" + name + ".png", shown), name);
}

bool Centred(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    return frame.left == x && frame.top == y;
}

// Starts Install and waits for the welcome page.
HWND Begin(driver::TProgram& install)
{
    CHECK(install.Start(Programs.install, "", Programs.kitFolder));
    Running = &install;
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    return sheet;
}

void TestFreshPath()
{
    SetRecord(0);
    driver::TProgram install;
    HWND sheet = Begin(install);
    if (!sheet)
        return;
    CHECK(Centred(sheet));
    CHECK(!(GetWindowLongA(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP));
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_BACK));
    Shot(sheet, "welcome");

    // Cancel answered No keeps the wizard where it was.
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    EXPECT_BOX(CancelSetup, IDNO);
    CHECK(driver::WaitWizard("Добро пожаловать") == sheet);

    HWND folder = Next(sheet, "Выбор папки");
    CHECK_TEXT(driver::Text(folder, IDC_FOLDER_EDIT).c_str(), "C:\\Program Files\\Тиктон");
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_BACK) && driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    Shot(sheet, "folder");

    // Refused folders: the page stays and the field keeps what was typed.
    struct {
        const char* typed;
        const char* message;
    } const refusals[] = {
        {"", BadFolder},
        {"\\\\server\\share\\Тиктон", BadFolder},
        {"C:\\Program Files\\\\Тиктон", BadFolder},
        {"C:\\Тик*тон", BadFolder},
        {"C:\\A:B", BadFolder},
        {"Тиктон", BadFolder},
        {"..\\Тиктон", BadFolder},
        {"C:..\\Тиктон", BadFolder},
        {"Q:\\Тиктон", NoSpace},
        {"E:\\Тиктон", NoSpace},
        {"F:\\Тиктон", NoSpace},
        {"R:\\Тиктон", NoSpace},
    };
    for (const auto& refusal : refusals) {
        printf("folder: %s\n", refusal.typed);
        driver::Type(folder, IDC_FOLDER_EDIT, refusal.typed);
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        EXPECT_BOX(refusal.message, IDOK);
        CHECK_CASE(driver::CurrentPage(sheet) == folder, refusal.typed);
        CHECK_TEXT(driver::Text(folder, IDC_FOLDER_EDIT).c_str(), refusal.typed);
    }

    // A typed folder longer than a path can be is cut to 259 characters before it is checked.
    driver::Type(folder, IDC_FOLDER_EDIT, "D:\\" + std::string(300, 'a'));
    HWND shortcuts = Next(sheet, "Интерфейс");
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_BACK) && driver::WizardButtonEnabled(sheet, PSBTN_FINISH));

    // Back shows the folder page as it was left.
    driver::PressWizardButton(sheet, PSBTN_BACK);
    CHECK(driver::WaitWizard("Выбор папки") == sheet);
    CHECK_EQ(driver::Text(folder, IDC_FOLDER_EDIT).size(), 303);
    driver::Type(folder, IDC_FOLDER_EDIT, "D:\\Программы\\Тиктон");
    CHECK(Next(sheet, "Интерфейс") == shortcuts);

    // Going back to the welcome page does not move the wizard again.
    SetWindowPos(sheet, 0, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    driver::PressWizardButton(sheet, PSBTN_BACK);
    driver::PressWizardButton(sheet, PSBTN_BACK);
    CHECK(driver::WaitWizard("Добро пожаловать") == sheet);
    RECT frame;
    GetWindowRect(sheet, &frame);
    CHECK(frame.left == 10 && frame.top == 10);
    Next(sheet, "Выбор папки");
    Next(sheet, "Интерфейс");

    driver::PressWizardButton(sheet, PSBTN_FINISH);
    EXPECT_BOX(InstallDone, IDOK);
    CHECK_EQ(install.Wait(), 1);
}

// The folder browser, once its tree of drives is filled in.
HWND WaitBrowser(HWND sheet)
{
    HWND browser = 0, tree = 0;
    CHECK(driver::WaitUntil([&] {
        browser = driver::WaitWindow("#32770", "", 100);
        tree = browser && browser != sheet ? FindWindowExA(browser, 0, "SysTreeView32", 0) : 0;
        return tree && SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 1;
    }));
    Running->WaitIdle();
    return browser;
}

void TestBrowser()
{
    SetRecord(0);
    driver::TProgram install;
    HWND sheet = Begin(install);
    if (!sheet)
        return;
    HWND folder = Next(sheet, "Выбор папки");

    // Cancelling the browser leaves the field as it was.
    driver::ClickLater(folder, IDC_BROWSE);
    HWND browser = 0;
    browser = WaitBrowser(sheet);
    Shot(browser, "browser");
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    CHECK(driver::WaitGone(browser));
    CHECK_TEXT(driver::Text(folder, IDC_FOLDER_EDIT).c_str(), "C:\\Program Files\\Тиктон");

    // Choosing the root of drive D gives D:\Тиктон.
    driver::ClickLater(folder, IDC_BROWSE);
    browser = WaitBrowser(sheet);
    driver::SendText(browser, BFFM_SETSELECTIONA, TRUE, "D:\\");
    CHECK(driver::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE; }));
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    CHECK(driver::WaitGone(browser));
    CHECK_TEXT(driver::Text(folder, IDC_FOLDER_EDIT).c_str(), "D:\\Тиктон");

    // Whether a drive may be chosen is the browser callback's answer; Wine re-enables OK after every
    // callback, so that answer is tested in-process with the pages.
    CancelWizard(sheet);
    CHECK_EQ(install.Wait(), 1);
}

// The first view of the shortcuts page on each family, and the all-users boxes tied to their twins.
void TestShortcuts()
{
    SetRecord(0);
    driver::TProgram install;
    HWND sheet = Begin(install);
    if (!sheet)
        return;
    Next(sheet, "Выбор папки");
    HWND page = Next(sheet, "Интерфейс");
    const bool nt = Version == "nt40" || Version == "win2k" || Version == "winxp" || Version == "win7";
    const bool quickLaunch = Version != "win95" && Version != "nt40";

    struct {
        int box;
        bool checked, enabled;
    } const firstView[] = {
        {IDC_COMMON_DESKTOP, false, nt}, {IDC_COMMON_PROGRAMS, nt, nt},     {IDC_COMMON_START_MENU, false, nt},
        {IDC_USER_DESKTOP, false, true}, {IDC_USER_PROGRAMS, !nt, !nt},    {IDC_USER_START_MENU, false, true},
        {IDC_QUICK_LAUNCH, quickLaunch, quickLaunch},                       {IDC_COMMON_GROUP, false, nt},
    };
    for (const auto& box : firstView) {
        char name[32];
        snprintf(name, sizeof name, "box %d", box.box);
        CHECK_CASE(driver::Checked(page, box.box) == box.checked, name);
        CHECK_CASE(driver::Enabled(page, box.box) == box.enabled, name);
    }
    Shot(sheet, "shortcuts");

    if (nt) {
        // Unticking the all-users Programs box gives back the user box, checked as it started.
        driver::Click(page, IDC_COMMON_PROGRAMS);
        CHECK(driver::Enabled(page, IDC_USER_PROGRAMS) && driver::Checked(page, IDC_USER_PROGRAMS));
        driver::Click(page, IDC_COMMON_PROGRAMS);
        CHECK(!driver::Enabled(page, IDC_USER_PROGRAMS) && !driver::Checked(page, IDC_USER_PROGRAMS));
        // The user desktop box, ticked first, is remembered while its all-users twin is ticked.
        driver::Click(page, IDC_USER_DESKTOP);
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(!driver::Enabled(page, IDC_USER_DESKTOP) && !driver::Checked(page, IDC_USER_DESKTOP));
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(driver::Enabled(page, IDC_USER_DESKTOP) && driver::Checked(page, IDC_USER_DESKTOP));
        // The Start menu pair, user box unticked.
        driver::Click(page, IDC_COMMON_START_MENU);
        CHECK(!driver::Enabled(page, IDC_USER_START_MENU) && !driver::Checked(page, IDC_USER_START_MENU));
        driver::Click(page, IDC_COMMON_START_MENU);
        CHECK(driver::Enabled(page, IDC_USER_START_MENU) && !driver::Checked(page, IDC_USER_START_MENU));
    }
    // Back and forth keeps the ticks.
    driver::Click(page, IDC_USER_START_MENU);
    driver::PressWizardButton(sheet, PSBTN_BACK);
    CHECK(driver::WaitWizard("Выбор папки") == sheet);
    Next(sheet, "Интерфейс");
    CHECK(driver::Checked(page, IDC_USER_START_MENU));
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    EXPECT_BOX(InstallDone, IDOK);
    CHECK_EQ(install.Wait(), 1);
}

// An installed product: the action page, and the uninstaller started for two of its three choices.
void TestMaintenance()
{
    const std::string uninstaller = WindowsFolder().Concat("\\unTikton.exe").CStr();
    CopyFileA(driver::WindowsPath(Programs.fakeUninstaller).c_str(), uninstaller.c_str(), FALSE);
    const char marker[] = "C:\\uninstaller-started.txt";
    struct {
        const char* name;
        int choice;
        bool uninstallerStarted;
    } const cases[] = {
        {"change the shortcuts", 0, true},
        {"remove", IDC_REMOVE, true},
        {"reinstall", IDC_REINSTALL, false},
    };
    for (const auto& c : cases) {
        SetRecord("C:\\Program Files\\Тиктон\\", REG_DWORD, 0x340, uninstaller);
        DeleteFileA(marker);
        driver::TProgram install;
        HWND sheet = Begin(install);
        if (!sheet)
            return;
        HWND page = Next(sheet, "Выбор действия");
        if (c.choice == 0) {
            CHECK(driver::Checked(page, IDC_CHANGE_INTERFACE));
            CHECK(driver::Enabled(page, IDC_REINSTALL) && driver::Enabled(page, IDC_REMOVE));
            Shot(sheet, "action");
        } else {
            driver::Click(page, c.choice);
        }
        CHECK(driver::WizardButtonEnabled(sheet, PSBTN_FINISH));
        driver::PressWizardButton(sheet, PSBTN_FINISH);
        if (c.choice == IDC_REINSTALL)
            EXPECT_BOX(InstallDone, IDOK);
        CHECK_EQ(install.Wait(), 1);
        bool started = driver::WaitUntil([&] { return GetFileAttributesA(marker) != INVALID_FILE_ATTRIBUTES; },
                                         c.uninstallerStarted ? driver::DefaultTimeout : 500);
        CHECK_CASE(started == c.uninstallerStarted, c.name);
    }
}
}

int main(int argc, char** argv)
{
    if (!ReadPrograms(argc, argv, Programs))
        return 2;
    Version = argc > 6 ? argv[6] : "default";
    TestShortcuts();
    if (Version == "win2k") {
        TestFreshPath();
        TestBrowser();
        TestMaintenance();
    }
    return check::Finish(("install wizard " + Version).c_str());
}
