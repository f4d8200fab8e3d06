// The installer run in-process, at the seams Wine cannot reach from outside: a user outside the
// Administrators group (the platform flags), exact free-space figures (the free-space function), what
// the pages leave in the installer state, and the folder browser's answer for each kind of drive.
// argv[1] names the case; each case is its own process, as Install runs its screen once per process.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "installer.h"
#include "machine.h"
#include "pages.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "resource.h"
#include "state.h"
#include "steps.h"
#include "texts.h"

namespace {
const char NotAdministrator[] =
    "Вы не являетесь членом группы Администраторы. Установку следует производить, используя учетную запись с "
    "правами Администратора.\r\n\r\nПродолжение установки невозможно.";

ULONGLONG FreeBytes = 5000000000ULL;

BOOL WINAPI FakeFreeSpace(const char*, ULARGE_INTEGER* toCaller, ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree)
{
    toCaller->QuadPart = FreeBytes;
    total->QuadPart = FreeBytes;
    totalFree->QuadPart = FreeBytes;
    return TRUE;
}

DWORD WINAPI RunUser(void* user)
{
    reinterpret_cast<void (*)()>(user)();
    return 0;
}

// Runs the user's side on a second thread while the installer runs on this one.
int RunWith(void (*user)())
{
    HANDLE thread = CreateThread(0, 0, RunUser, reinterpret_cast<void*>(user), 0, 0);
    int exitCode = RunInstaller(GetModuleHandleA(0));
    WaitForSingleObject(thread, driver::DefaultTimeout);
    CloseHandle(thread);
    return exitCode;
}

void NotAdministratorFresh()
{
    SetRecord(0);
    CHECK_EQ(RunWith([] { EXPECT_BOX(NotAdministrator, IDOK); }), 255);
    // Unattended, a reinstallation is refused too; neither run writes anything.
    CHECK_EQ(RunInstaller(GetModuleHandleA(0), "/S"), ExitNotAllowed);
    SetRecord("C:\\Program Files\\Тиктон\\", REG_DWORD, ProductVersion);
    CHECK_EQ(RunInstaller(GetModuleHandleA(0), "/S"), ExitNotAllowed);
    CHECK(!IsDirectory("C:\\Program Files\\Тиктон"));
}

void NotAdministratorMaintenance()
{
    // A harmless program stands in for the uninstaller.
    SetRecord("C:\\Program Files\\Тиктон\\", REG_DWORD, ProductVersion, "C:\\windows\\system32\\hostname.exe");
    CHECK_EQ(RunWith([] {
                 HWND sheet = driver::WaitWizard("Добро пожаловать");
                 HWND page = Next(sheet, "Выбор действия");
                 CHECK(driver::Checked(page, IDC_CHANGE_INTERFACE) && driver::Enabled(page, IDC_CHANGE_INTERFACE));
                 CHECK(!driver::Enabled(page, IDC_REINSTALL) && !driver::Enabled(page, IDC_REINSTALL_NOTE));
                 CHECK(!driver::Enabled(page, IDC_REMOVE) && !driver::Enabled(page, IDC_REMOVE_NOTE));
                 CHECK_TEXT(driver::Text(page, IDC_REINSTALL).c_str(), install_texts::ReinstallAdminOnly);
                 CHECK_TEXT(driver::Text(page, IDC_REMOVE).c_str(), install_texts::RemoveAdminOnly);
                 driver::PressWizardButton(sheet, PSBTN_FINISH);
             }),
             1);
    CHECK(InstallChoices.Confirmed);
    CHECK_EQ(MaintenanceAction, ChangeInterface);
    CHECK(!FreshInstall);
    CHECK_TEXT(InstallChoices.InstallFolder, "C:\\Program Files\\Тиктон\\");
}

// The folder is refused with exactly 1,000,000 bytes free and taken with one byte more; Finish leaves
// the ticked boxes in the installer state.
void Choices()
{
    SetRecord(0);
    FreeBytes = 1000000;
    CHECK_EQ(RunWith([] {
                 HWND sheet = driver::WaitWizard("Добро пожаловать");
                 HWND folder = Next(sheet, "Выбор папки");
                 driver::Type(folder, IDC_FOLDER_EDIT, "D:\\Программы\\Тиктон\\");
                 driver::PressWizardButton(sheet, PSBTN_NEXT);
                 EXPECT_BOX(NoSpace, IDOK);
                 FreeBytes = 1000001;
                 HWND page = Next(sheet, "Интерфейс");
                 driver::Click(page, IDC_COMMON_DESKTOP);
                 driver::Click(page, IDC_COMMON_START_MENU);
                 driver::Click(page, IDC_COMMON_START_MENU);
                 driver::Click(page, IDC_USER_START_MENU);
                 driver::PressWizardButton(sheet, PSBTN_FINISH);
                 // The engine runs next; with no archive beside the test it stops at once.
                 EXPECT_BOX(ExtractFailed, IDOK);
             }),
             1);
    CHECK(InstallChoices.Confirmed);
    CHECK(FreshInstall);
    CHECK_TEXT(InstallChoices.InstallFolder, "D:\\Программы\\Тиктон\\");
    const bool* chosen = InstallChoices.Shortcuts;
    CHECK(chosen[CommonDesktopLocation] && chosen[CommonProgramsLocation] && !chosen[CommonStartMenuLocation]);
    CHECK(!chosen[UserDesktopLocation] && !chosen[UserProgramsLocation] && chosen[UserStartMenuLocation]);
    CHECK(chosen[QuickLaunchLocation] == QuickLaunchSupported);
}

// Cancel confirmed on the shortcuts page leaves nothing decided.
void Cancelled()
{
    SetRecord(0);
    CHECK_EQ(RunWith([] {
                 HWND sheet = driver::WaitWizard("Добро пожаловать");
                 Next(sheet, "Выбор папки");
                 Next(sheet, "Интерфейс");
                 driver::PressWizardButton(sheet, PSBTN_CANCEL);
                 EXPECT_BOX(CancelSetup, IDYES);
             }),
             1);
    CHECK(!InstallChoices.Confirmed);
    CHECK_EQ(MaintenanceAction, Reinstall);
}

// What the browser callback tells the browser about each selection.
int LastEnableOk = -1;

LRESULT CALLBACK RecordingWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_ENABLEOK)
        LastEnableOk = static_cast<int>(lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void BrowserAnswers()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingWndProc;
    windowClass.hInstance = GetModuleHandleA(0);
    windowClass.lpszClassName = "RecordingBrowser";
    RegisterClassA(&windowClass);
    HWND browser = CreateWindowA("RecordingBrowser", "", 0, 0, 0, 10, 10, 0, 0, windowClass.hInstance, 0);
    struct {
        const char* folder;
        ULONGLONG free;
        int enabled;
    } const cases[] = {
        {"C:\\", 5000000000ULL, 1}, {"D:\\", 5000000000ULL, 1}, {"D:\\", 1000000, 0}, {"D:\\", 1000001, 1},
        {"E:\\", 5000000000ULL, 0}, {"F:\\", 5000000000ULL, 0}, {"R:\\", 5000000000ULL, 0}, {0, 0, 0},
    };
    for (const auto& c : cases) {
        FreeBytes = c.free;
        LPITEMIDLIST item = 0;
        if (c.folder) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, c.folder, -1, wide, MAX_PATH);
            SHILCreateFromPath(wide, &item, 0);
        } else {
            SHGetSpecialFolderLocation(0, CSIDL_DRIVES, &item);  // My Computer has no folder path
        }
        LastEnableOk = -1;
        CHECK_EQ(BrowseCallback(browser, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item), 0), 0);
        char name[64];
        snprintf(name, sizeof name, "%s with %llu bytes free", c.folder ? c.folder : "My Computer", c.free);
        CHECK_CASE(LastEnableOk == c.enabled, name);
        CoTaskMemFree(item);
    }
    DestroyWindow(browser);
}
}

int main(int argc, char** argv)
{
    const std::string which = argc > 1 ? argv[1] : "";
    InitPlatformFlags(UseWithFreeSpace);
    FreeSpaceExSupported = true;
    GetDiskFreeSpaceExFunc = FakeFreeSpace;
    if (which == "not-administrator") {
        IsAdministrator = false;
        NotAdministratorFresh();
    } else if (which == "not-administrator-maintenance") {
        IsAdministrator = false;
        NotAdministratorMaintenance();
    } else if (which == "choices") {
        Choices();
    } else if (which == "cancelled") {
        Cancelled();
    } else if (which == "browser") {
        BrowserAnswers();
    } else {
        check::Fail(__FILE__, __LINE__, "unknown case", which.c_str());
    }
    return check::Finish(("install pages " + which).c_str());
}
