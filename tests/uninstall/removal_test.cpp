// unTikton end to end, after a real installation by the kit: the record checks at start-up, a complete
// removal, removals that leave something behind with the list of what and why, shortcut maintenance,
// self-removal, the whole life cycle, and removals repeated while the user clicks at the wizard.
// argv: Install.exe of the kit, Tikton.exe, screenshot folder (or "-"), case. This file holds the
// steps the scenarios share and chooses the scenario.
#include "removal_test.h"

#include <commctrl.h>

#include "check.h"
#include "files.h"
#include "machine.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "steps.h"
#include "texts.h"

namespace removal {

std::string KitInstall, Application, Shots;

namespace {
std::string ShellFolder(HKEY hive, const char* value)
{
    TString folder;
    ReadRegStringAt(folder, hive, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", value);
    return folder.CStr();
}
}

std::string Link(HKEY hive, const char* value) { return ShellFolder(hive, value) + "\\Тиктон.lnk"; }
std::string QuickLaunchLink()
{
    return ShellFolder(HKEY_CURRENT_USER, "AppData") + "\\Microsoft\\Internet Explorer\\Quick Launch\\Тиктон.lnk";
}

void Shot(HWND shown, const char* name)
{
    if (!Shots.empty())
        CHECK_CASE(driver::Screenshot(Shots + "/uninstall-" + name + ".png", shown), name);
}

void CheckShortcutBoxes(HWND page, bool desktopTicked, const char* what)
{
    struct {
        int box;
        bool checked, enabled;
    } const boxes[] = {{IDC_COMMON_DESKTOP, false, IsWinNT},   {IDC_COMMON_PROGRAMS, IsWinNT, IsWinNT},
                       {IDC_COMMON_START_MENU, false, IsWinNT}, {IDC_USER_DESKTOP, desktopTicked, true},
                       {IDC_USER_PROGRAMS, !IsWinNT, !IsWinNT}, {IDC_USER_START_MENU, false, true},
                       {IDC_QUICK_LAUNCH, QuickLaunchSupported, QuickLaunchSupported}};
    for (const auto& box : boxes) {
        char name[48];
        snprintf(name, sizeof name, "%s, box %d", what, box.box);
        CHECK_CASE(driver::Checked(page, box.box) == box.checked, name);
        CHECK_CASE(driver::Enabled(page, box.box) == box.enabled, name);
    }
}

bool InstallWithKit(bool everyBox, const std::string& folder)
{
    driver::TProgram install;
    CHECK(install.Start(KitInstall, "", KitInstall.substr(0, KitInstall.find_last_of('/'))));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    if (!sheet)
        return false;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    driver::WaitWizard("Выбор папки");
    if (!folder.empty()) {
        HWND page = driver::CurrentPage(sheet);
        driver::Type(page, GetDlgCtrlID(FindWindowExA(page, 0, "Edit", 0)), folder);
    }
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    driver::WaitWizard("Интерфейс");
    HWND page = driver::CurrentPage(sheet);
    if (everyBox) {
        CheckShortcutBoxes(page, false, "first view");
        for (int box : {IDC_COMMON_DESKTOP, IDC_COMMON_PROGRAMS, IDC_COMMON_START_MENU, IDC_USER_DESKTOP,
                        IDC_USER_PROGRAMS, IDC_USER_START_MENU, IDC_QUICK_LAUNCH})
            if (driver::Enabled(page, box) && !driver::Checked(page, box))
                driver::Click(page, box);
    } else {
        driver::Click(page, IDC_USER_DESKTOP);
    }
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    std::string text;
    CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
    return install.Wait() == 1 && Exists(Uninstaller);
}

HWND ToAction(driver::TProgram& uninstaller)
{
    CHECK(uninstaller.Start(Uninstaller));
    HWND sheet = PastWelcome("Выбор действия");
    if (!sheet)
        return 0;
    return sheet;
}

bool RemoveAll(HWND sheet)
{
    HWND action = driver::CurrentPage(sheet);
    CHECK(driver::Checked(action, IDC_CHANGE_INTERFACE));
    driver::Click(action, IDC_REMOVE_ALL);
    HWND page = Next(sheet, "Удаление файлов");
    // The heading changes before the way out opens.
    CHECK(driver::WaitUntil([&] {
        return driver::Text(page, IDC_HEADING) == RemovalHeading
            && (driver::WizardButtonEnabled(sheet, PSBTN_CANCEL) || driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    }));
    CHECK(driver::CurrentPage(sheet) == page);
    const int marks[] = {IDC_REGISTRY_MARK, IDC_FILES_MARK, IDC_FOLDER_MARK};
    for (int mark : marks)
        CHECK_CASE(SendDlgItemMessageA(page, mark, STM_GETIMAGE, IMAGE_ICON, 0) != 0, "stage mark");
    CHECK_TEXT(driver::Text(page, IDC_HEADING).c_str(), RemovalHeading);
    CHECK(IsWindowVisible(GetDlgItem(page, IDC_RESULT)));
    CHECK_TEXT(driver::Text(sheet, IDCANCEL).c_str(), "Закрыть");
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_BACK));
    Shot(sheet, "progress");
    return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL);
}

void CheckRecordGone()
{
    CHECK(!KeyExists(ProductKey));
    CHECK(KeyExists("Software\\Vantorel"));
    CHECK(!KeyExists(UninstallKey));
    CHECK(!KeyExists(AppPathKey));
    CHECK(KeyExists(HelpKey));
    TString help;
    CHECK(!ReadRegStringAt(help, HKEY_LOCAL_MACHINE, HelpKey, HelpFileValue));
}

std::string MovedAside(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\unT*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    FindClose(search);
    return folder + "\\" + found.cFileName;
}

bool SelfRemoved(const std::string& folder)
{
    return driver::WaitUntil([&] {
        return !Exists(folder + "\\unTikton.exe") && !Exists(folder + "\\DeleteMe.com")
            && !Exists(folder + "\\DeleteMe.cmd") && MovedAside(folder).empty();
    }, SelfRemovalTimeout);
}

}  // namespace removal

using namespace removal;

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    KitInstall = argv[1];
    Application = argv[2];
    Shots = strcmp(argv[3], "-") ? argv[3] : "";
    const std::string which = argv[4];
    InitPlatformFlags(UseWithFreeSpace);
    if (which == "complete")
        Complete();
    else if (which == "left-behind")
        LeftBehind();
    else if (which == "shortcuts")
        Shortcuts();
    else if (which == "startup")
        StartupChecks();
    else if (which == "faults")
        Faults();
    else if (which == "self-removal")
        SelfRemoval();
    else if (which.compare(0, 10, "lifecycle-") == 0)
        LifeCycle(which.substr(10));
    else if (which == "repeated")
        Repeated();
    else if (which == "unattended")
        UnattendedRuns();
    else
        check::Fail(__FILE__, __LINE__, "unknown case", which.c_str());
    return check::Finish(("uninstall " + which).c_str());
}
