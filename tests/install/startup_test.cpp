// Install's start-up as the user meets it: a running application, earlier installations of every
// version, and the exit code each path ends with.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "files.h"
#include "machine.h"
#include "paths.h"
#include "record.h"
#include "registry.h"
#include "session.h"
#include "steps.h"
#include "texts.h"

using namespace session;

namespace {
TPrograms Programs;

const char OlderVersion[] =
    "На этот компьютер установлена более старая версия Тиктона. Рекомендуется удалить ее перед продолжением "
    "установки.\r\n\r\nЗапустить программу удаления?";
using install_texts::NewerVersion;
const char UninstallerFallback[] =
    "Не удалось напрямую запустить программу удаления Тиктона.\r\n\r\nПосле нажатия OK будет запущено приложение "
    "Панели управления Установка и удаление программ.";
// Wine's Add or Remove Programs applet.
const char AppletTitle[] = "Установка/удаление программ";
const char UninstallerMarker[] = "C:\\uninstaller-started.txt";

std::string UninstallerCopy()
{
    const std::string copy = WindowsFolder().Concat("\\unTikton.exe").CStr();
    CopyFileA(driver::WindowsPath(Programs.fakeUninstaller).c_str(), copy.c_str(), FALSE);
    return copy;
}

bool UninstallerStarted(DWORD timeout)
{
    return driver::WaitUntil([] { return GetFileAttributesA(UninstallerMarker) != INVALID_FILE_ATTRIBUTES; }, timeout);
}

long RunInstall(void (*interact)())
{
    driver::TProgram install;
    CHECK(install.Start(Programs.install, "", Programs.kitFolder));
    interact();
    return install.Wait();
}

void ExpectWizardThenCancel(const char* caption)
{
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (!sheet)
        return;
    if (strcmp(caption, "Добро пожаловать") != 0)
        Next(sheet, caption);
    CancelWizard(sheet);
}

void TestRecords()
{
    const std::string uninstaller = UninstallerCopy();
    // A stored folder too long for the wizard's field; the version still decides first.
    const std::string overlong = "C:\\" + std::string(300, 'a') + "\\";
    struct {
        const char* name;
        const char* installDir;
        DWORD versionType;
        DWORD version;
        void (*interact)();
        long exitCode;
        bool uninstallerStarted;
    } const cases[] = {
        {"no record", 0, REG_NONE, 0, [] { ExpectWizardThenCancel("Выбор папки"); }, 1, false},
        // The screen closed from outside under the wizard: setup ends as after a confirmed Cancel.
        {"no record, screen closed", 0, REG_NONE, 0,
         [] {
             CHECK(driver::WaitWizard("Добро пожаловать") != 0);
             PostMessageA(FindWindowA("clInstallerWindow", 0), WM_CLOSE, 0, 0);
         },
         1, false},
        {"same version", "C:\\Program Files\\Тиктон\\", REG_DWORD, 0x340,
         [] { ExpectWizardThenCancel("Выбор действия"); }, 1, false},
        {"older version, Cancel", "C:\\T\\", REG_DWORD, 0x33F, [] { EXPECT_BOX(OlderVersion, IDCANCEL); }, 254, false},
        {"older version, Yes", "C:\\T\\", REG_DWORD, 0x33F, [] { EXPECT_BOX(OlderVersion, IDYES); }, 254, true},
        {"older version, No", "C:\\T\\", REG_DWORD, 0x33F,
         [] {
             EXPECT_BOX(OlderVersion, IDNO);
             ExpectWizardThenCancel("Выбор действия");
         },
         1, false},
        {"version as text", "C:\\T\\", REG_SZ, 0, [] { EXPECT_BOX(OlderVersion, IDCANCEL); }, 254, false},
        {"no version", "C:\\T\\", REG_NONE, 0, [] { EXPECT_BOX(OlderVersion, IDCANCEL); }, 254, false},
        {"newer version", "C:\\T\\", REG_DWORD, 0x341, [] { EXPECT_BOX(NewerVersion, IDOK); }, 253, false},
        {"empty folder, newer version", "", REG_DWORD, 0x341, [] { ExpectWizardThenCancel("Выбор папки"); }, 1, false},
        {"overlong folder, newer version", overlong.c_str(), REG_DWORD, 0x341,
         [] { EXPECT_BOX(NewerVersion, IDOK); }, 253, false},
        {"overlong folder, older version", overlong.c_str(), REG_DWORD, 0x33F,
         [] { EXPECT_BOX(OlderVersion, IDCANCEL); }, 254, false},
        // A stored folder setup could not have chosen is no folder to reinstall into: a new installation.
        {"relative folder", "Tikton\\", REG_DWORD, 0x340, [] { ExpectWizardThenCancel("Выбор папки"); }, 1, false},
        {"folder with a dots part, older version, No", "C:\\Data\\..\\Тиктон\\", REG_DWORD, 0x33F,
         [] {
             EXPECT_BOX(OlderVersion, IDNO);
             ExpectWizardThenCancel("Выбор папки");
         },
         1, false},
    };
    for (const auto& c : cases) {
        printf("case: %s\n", c.name);
        SetRecord(c.installDir, c.versionType, c.version, uninstaller);
        DeleteFileA(UninstallerMarker);
        CHECK_EQ(RunInstall(c.interact), c.exitCode);
        // Install does not wait for the uninstaller, so its mark may come a moment later.
        CHECK_CASE(UninstallerStarted(c.uninstallerStarted ? driver::DefaultTimeout : 0) == c.uninstallerStarted, c.name);
    }
    // The uninstaller is started by its registered path with no arguments at all.
    SetRecord("C:\\T\\", REG_DWORD, 0x33F, uninstaller);
    DeleteFileA(UninstallerMarker);
    RunInstall([] { EXPECT_BOX(OlderVersion, IDYES); });
    CHECK(UninstallerStarted(driver::DefaultTimeout));
    char arguments[64] = "not read";
    HANDLE marker = CreateFileA(UninstallerMarker, GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    DWORD read = 0;
    if (marker != INVALID_HANDLE_VALUE) {
        ReadFile(marker, arguments, sizeof arguments - 1, &read, 0);
        arguments[read] = '\0';
        CloseHandle(marker);
    }
    CHECK_TEXT(arguments, "");
}

// Without a usable uninstall command the user is told, and Add or Remove Programs opens instead.
void TestUninstallerFallback()
{
    SetRecord("C:\\T\\", REG_DWORD, 0x33F);
    CHECK_EQ(RunInstall([] {
                 EXPECT_BOX(OlderVersion, IDYES);
                 EXPECT_BOX(UninstallerFallback, IDOK);
             }),
             254);
    HWND applet = driver::WaitWindow("", AppletTitle, 20000);
    CHECK(applet != 0);
    if (applet)
        PostMessageA(applet, WM_CLOSE, 0, 0);

    SetRecord("C:\\T\\", REG_DWORD, 0x33F, "C:\\windows\\no-such-uninstaller.exe");
    CHECK_EQ(RunInstall([] {
                 EXPECT_BOX(OlderVersion, IDYES);
                 EXPECT_BOX(UninstallerFallback, IDOK);
             }),
             254);
    applet = driver::WaitWindow("", AppletTitle, 20000);
    CHECK(applet != 0);
    if (applet)
        PostMessageA(applet, WM_CLOSE, 0, 0);
}

// A stored folder too long for the wizard's field is not used: setup starts as on a clean machine.
void TestOverlongFolder()
{
    std::string folder = "C:\\" + std::string(300, 'a') + "\\";
    SetRecord(folder.c_str(), REG_DWORD, 0x340);
    CHECK_EQ(RunInstall([] { ExpectWizardThenCancel("Выбор папки"); }), 1);
}

void TestRunningApplication()
{
    SetRecord(0);
    {
        driver::TProgram app;
        app.Start(Programs.application);
        CHECK(driver::WaitWindow("TTiktonForm", "") != 0);
        CHECK_EQ(RunInstall([] { EXPECT_BOX(AppRunning, IDNO); }), 255);
        CHECK(app.Running());
    }
    {
        driver::TProgram first, second;
        first.Start(Programs.application);
        second.Start(Programs.application);
        CHECK(driver::WaitUntil([] {
            HWND one = FindWindowA("TTiktonForm", 0);
            return one && FindWindowExA(0, one, "TTiktonForm", 0);
        }));
        CHECK_EQ(RunInstall([] {
                     EXPECT_BOX(AppRunning, IDYES);
                     ExpectWizardThenCancel("Добро пожаловать");
                 }),
                 1);
        CHECK_EQ(first.Wait(), 0);
        CHECK_EQ(second.Wait(), 0);
    }
    {
        // An application that will not close cannot hold setup for ever.
        driver::TProgram stubborn;
        stubborn.Start(Programs.stubbornApp);
        CHECK(driver::WaitWindow("TTiktonForm", "") != 0);
        CHECK_EQ(RunInstall([] { EXPECT_BOX(AppRunning, IDYES); }), 255);
        CHECK(stubborn.Running());
    }
}
}

// A file a stopped run moved aside is put back by the next setup, but never while another setup runs:
// the copy may be that one's, made a moment ago.
void TestMovedAsideWhileRunning()
{
    SetRecord("C:\\T\\", REG_DWORD, 0x341);
    CreateDirectoryA("C:\\T", 0);
    const std::string original = "C:\\T\\Tikton.hlp", copy = "C:\\T\\~tk1.tmp";
    WriteBytes(copy, "the user's help");
    WriteRegStringAt(TString(original.c_str()), HKEY_LOCAL_MACHINE, MovedAsideKey, copy.c_str());
    const struct {
        const char* name;
        bool otherSetup, putBack;
    } cases[] = {{"another setup running", true, false}, {"none running", false, true}};
    for (const auto& c : cases) {
        HANDLE other = c.otherSetup ? CreateMutexA(0, TRUE, SetupRunningMutex) : 0;
        driver::TProgram install;
        CHECK_CASE(install.Start(Programs.install, "/S", Programs.kitFolder), c.name);
        CHECK_CASE(install.Wait() == 253, c.name);
        CHECK_CASE(Exists(copy) != c.putBack && Exists(original) == c.putBack, c.name);
        if (other)
            CloseHandle(other);
    }
    CHECK(ReadBytes(original) == "the user's help");
}

int main(int argc, char** argv)
{
    if (!ReadPrograms(argc, argv, Programs))
        return 2;
    TestRecords();
    TestOverlongFolder();
    TestRunningApplication();
    TestUninstallerFallback();
    TestMovedAsideWhileRunning();
    return check::Finish("install start-up");
}
