// Unattended runs of both programs through a life cycle: each run's exit code, the machine after it,
// and that the process never showed a window.
#include <windows.h>

#include <string>

#include "check.h"
#include "files.h"
#include "installer.h"
#include "machine.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "removal_test.h"
#include "shortcut.h"
#include "texts.h"
#include "uninstaller.h"

namespace removal {

namespace {
const char Spaced[] = "C:\\Мои программы\\Тик тон";
const char DamagedKit[] = "C:\\повреждённый комплект";

std::string Shortcut(TShortcutLocation location)
{
    return LinkPathIn(ReadShortcutFolder(location), "Тиктон.lnk").CStr();
}

std::string Value(const char* name)
{
    TString value;
    ReadRegStringAt(value, HKEY_LOCAL_MACHINE, ProductKey, name);
    return value.CStr();
}

DWORD Version()
{
    DWORD version = 0;
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
    if (key) {
        ReadRegDword(key, InstVersionValue, version);
        RegCloseKey(key);
    }
    return version;
}

void SetVersion(DWORD version)
{
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, false);
    WriteRegDword(key, InstVersionValue, version);
    RegCloseKey(key);
}

// Installed into the folder with the record of this version, and the shortcuts the shortcuts page
// first shows ticked: the Programs menu (all-users on the NT family) and Quick Launch where there is one.
void CheckInstalled(const std::string& folder, const std::string& existed)
{
    CHECK_TEXT(Value(InstallDirValue).c_str(), (folder + "\\").c_str());
    CHECK_TEXT(Value(InstDirExistedValue).c_str(), existed.c_str());
    CHECK_EQ(Version(), ProductVersion);
    CHECK(KeyExists(UninstallKey) && KeyExists(AppPathKey));
    for (const char* file : {"Tikton.exe", "Tikton.hlp", "Tikton.cnt"})
        CHECK_CASE(Exists(folder + "\\" + file), file);
    CHECK(Exists(Uninstaller));
    const struct {
        TShortcutLocation location;
        bool made;
    } links[] = {{CommonDesktopLocation, false},         {CommonProgramsLocation, IsWinNT},
                 {CommonStartMenuLocation, false},       {UserDesktopLocation, false},
                 {UserProgramsLocation, !IsWinNT},       {UserStartMenuLocation, false},
                 {QuickLaunchLocation, QuickLaunchSupported}};
    for (const auto& link : links)
        CHECK_CASE(Exists(Shortcut(link.location)) == link.made, Shortcut(link.location).c_str());
}

void CheckNothingInstalled()
{
    CHECK(!KeyExists(ProductKey) || Value(InstallDirValue).empty());
    CHECK(!KeyExists(UninstallKey));
    CHECK(!Exists(Folder) && !Exists("C:\\Мои программы") && !Exists(Uninstaller));
}

void CheckRemoved()
{
    CHECK(SelfRemoved());
    CheckRecordGone();
    for (int i = 0; i < ShortcutLocationCount; ++i)
        CHECK_CASE(!Exists(Shortcut(static_cast<TShortcutLocation>(i))), Shortcut(static_cast<TShortcutLocation>(i)).c_str());
}

// A copy of the kit whose archive ends halfway.
void MakeDamagedKit()
{
    const std::string kit = driver::WindowsPath(KitInstall.substr(0, KitInstall.find_last_of('/')));
    CreateDirectoryA(DamagedKit, 0);
    CopyFileA((kit + "\\Install.exe").c_str(), (std::string(DamagedKit) + "\\Install.exe").c_str(), FALSE);
    const std::string cabinet = ReadBytes(kit + "\\Install.cab");
    WriteBytes(std::string(DamagedKit) + "\\Install.cab", cabinet.substr(0, cabinet.size() / 2));
}

driver::TProgram* App;

void StartApplication()
{
    delete App;
    App = new driver::TProgram;
    App->Start(Application);
    driver::WaitWindow("TTiktonForm", "");
}

// The application was left running; it closes when asked.
void CloseApplication()
{
    CHECK(App->Running());
    PostMessageA(FindWindowA("TTiktonForm", 0), WM_CLOSE, 0, 0);
    CHECK_EQ(App->Wait(), 0);
}
}

void UnattendedRuns()
{
    MakeDamagedKit();
    const std::string kit = driver::WindowsPath(KitInstall.substr(0, KitInstall.find_last_of('/')));
    struct {
        const char* name;
        void (*prepare)();
        bool uninstall;
        bool damagedKit;
        std::string arguments;
        long exitCode;
        void (*check)();
    } const runs[] = {
        {"unknown switch", [] {}, false, false, "/S /X", ExitUnknownSwitch, CheckNothingInstalled},
        {"lower-case switch", [] {}, false, false, "/s", ExitUnknownSwitch, CheckNothingInstalled},
        {"folder without /S", [] {}, false, false, "/D=C:\\Тиктон", ExitUnknownSwitch, CheckNothingInstalled},
        {"folder not from a drive's root", [] {}, false, false, "/S /D=Тиктон", ExitFolderRefused, CheckNothingInstalled},
        {"folder on the CD-ROM", [] {}, false, false, "/S /D=E:\\Тиктон", ExitDriveRefused, CheckNothingInstalled},
        {"damaged archive", [] {}, false, true, std::string("/S /D=") + Spaced + "\\Новая папка", ExitArchiveFailed,
         CheckNothingInstalled},
        {"fresh", [] {}, false, false, "/S", ExitInstalled, [] { CheckInstalled(Folder, "C:\\Program Files\\"); }},
        {"same version again", [] { DeleteFileA((std::string(Folder) + "\\Tikton.hlp").c_str()); }, false, false, "/S",
         ExitInstalled, [] { CheckInstalled(Folder, "C:\\Program Files\\"); }},
        {"newer version", [] { SetVersion(ProductVersion + 1); }, false, false, "/S", ExitNewerInstalled,
         [] { CHECK_EQ(Version(), ProductVersion + 1); }},
        {"older version", [] { SetVersion(ProductVersion - 1); }, false, false, "/S", ExitOlderInstalled,
         [] {
             // Its uninstaller would refuse this record with a message box.
             CHECK(!driver::WaitWindow("", UninstallCaption, 2000));
             CHECK_EQ(Version(), ProductVersion - 1);
             SetVersion(ProductVersion);
         }},
        {"application running", StartApplication, false, false, "/S", ExitNotAllowed, CloseApplication},
        {"removal, application running", StartApplication, true, false, "/S", ExitRefused,
         [] {
             CloseApplication();
             CheckInstalled(Folder, "C:\\Program Files\\");
         }},
        {"removal, unknown switch", [] {}, true, false, "/S /D=C:\\Тиктон", ExitUnknownSwitch,
         [] { CheckInstalled(Folder, "C:\\Program Files\\"); }},
        {"removal, another version", [] { SetVersion(ProductVersion + 1); }, true, false, "/S", ExitRefused,
         [] {
             CHECK_EQ(Version(), ProductVersion + 1);
             CHECK(Exists(Uninstaller));
             SetVersion(ProductVersion);
         }},
        {"removal, drive unreachable", [] { SetProductKey("Q:\\Тиктон\\", "Q:\\", REG_DWORD, ProductVersion); }, true, false, "/S", ExitRefused,
         [] {
             CHECK(Exists(Uninstaller) && KeyExists(UninstallKey));
             SetProductKey((std::string(Folder) + "\\").c_str(), "C:\\Program Files\\", REG_DWORD, ProductVersion);
             CheckInstalled(Folder, "C:\\Program Files\\");
         }},
        {"removal", [] {}, true, false, "/S", ExitDone,
         [] {
             CheckRemoved();
             CHECK(!Exists(Folder));
         }},
        {"Cyrillic folder with blanks", [] {}, false, false, std::string("/S /D=") + Spaced + "  ", ExitInstalled,
         [] { CheckInstalled(Spaced, "C:\\"); }},
        {"removal that leaves a file", [] { WriteBytes(std::string(Spaced) + "\\мой файл.txt", "мой"); }, true, false, "/S",
         ExitLeftBehind,
         [] {
             CheckRemoved();
             CHECK(Exists(std::string(Spaced) + "\\мой файл.txt") && !Exists(std::string(Spaced) + "\\Tikton.exe"));
         }},
    };
    for (const auto& run : runs) {
        printf("run: %s\n", run.name);
        run.prepare();
        driver::TProgram program;
        const std::string folder = run.damagedKit ? std::string(DamagedKit) : kit;
        CHECK(program.Start(run.uninstall ? Uninstaller : folder + "\\Install.exe", run.arguments, folder));
        bool shown = true;
        CHECK_EQ(program.WaitUnseen(shown), run.exitCode);
        CHECK_CASE(!shown, run.name);
        run.check();
    }
}

}  // namespace removal
