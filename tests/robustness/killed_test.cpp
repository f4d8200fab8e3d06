// Setup killed while it unpacks its archive, at points from before the first file to after the
// uninstaller, on a clean machine and during a reinstallation. Setup started again behaves as on a
// clean machine or offers maintenance, the uninstaller refuses at start-up or removes cleanly, and a
// complete installation and removal afterwards leave no file, folder, record or shortcut of the
// product. argv: the kit's Install.exe, the slow kit's Install.exe, the size of the slow archive's
// last file.
#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>
#include <map>
#include <string>

#include "check.h"
#include "driver.h"
#include "files.h"
#include "install_ids.h"
#include "machine.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "remover.h"
#include "session.h"
#include "shortcut.h"
#include "texts.h"

namespace {
const char Folder[] = "C:\\Program Files\\Тиктон";
const char FolderPage[] = "Выбор папки";
const char ActionPage[] = "Выбор действия";
const char* const ProductFiles[] = {"Tikton.exe", "Tikton.hlp", "Tikton.cnt", "Tikton.gid", "Tikton.fts", "Tikton.ftg"};
// A deletion program that runs (DOSBox) is done well within this.
const DWORD SelfRemovalTimeout = 60000;
std::string Kit, SlowKit, Uninstaller, DeleteMe;
LONGLONG LastFileBytes;

struct TKillPoint {
    const char* name;
    bool reinstall;    // over a complete installation, by Reinstall; otherwise on a clean machine
    const char* file;  // setup is killed once this file starts to be written; none: once the copy window shows
};

// The slow archive holds Tikton.exe, .hlp, .cnt, .gid, the uninstaller and .fts, in that order.
const TKillPoint KillPoints[] = {
    {"new installation, copy window shown", false, 0},
    {"new installation, second file", false, "Tikton.hlp"},
    {"new installation, fourth file", false, "Tikton.gid"},
    {"new installation, after the uninstaller", false, "Tikton.fts"},
    {"reinstallation, second file", true, "Tikton.hlp"},
    {"reinstallation, after the uninstaller", true, "Tikton.fts"},
};

std::string InFolder(const char* name) { return std::string(Folder) + "\\" + name; }

// The file's size, or -1 when it is not there.
LONGLONG Size(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<LONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Installed, as setup and the uninstaller read the record: a usable InstallDir.
bool Recorded()
{
    TString folder;
    return ReadRegStringAt(folder, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue);
}

std::string Link(int location)
{
    return LinkPathIn(ReadShortcutFolder(static_cast<TShortcutLocation>(location)), "Тиктон.lnk").CStr();
}

// A clean machine for the next case, whatever the last one left.
void Clean()
{
    for (const char* name : ProductFiles)
        DeleteFileA(InFolder(name).c_str());
    RemoveDirectoryA(Folder);
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, AppPathKey);
    HKEY help = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, HelpKey, 0, KEY_SET_VALUE, &help) == ERROR_SUCCESS) {
        RegDeleteValueA(help, HelpFileValue);
        RegCloseKey(help);
    }
    for (int location = 0; location < ShortcutLocationCount; ++location)
        DeleteFileA(Link(location).c_str());
    DeleteFileA(Uninstaller.c_str());
}

void CheckNothingLeft(const char* name)
{
    CHECK_CASE(!Exists(Folder), name);
    CHECK_CASE(!KeyExists(ProductKey), name);
    CHECK_CASE(!KeyExists(UninstallKey), name);
    CHECK_CASE(!KeyExists(AppPathKey), name);
    TString help;
    CHECK_CASE(!ReadRegStringAt(help, HKEY_LOCAL_MACHINE, HelpKey, HelpFileValue), name);
    for (int location = 0; location < ShortcutLocationCount; ++location)
        CHECK_CASE(Link(location).empty() || !Exists(Link(location)), name);
}

// The uninstaller's self-removal is another test's business; where its deletion program runs, it must
// be done before the next installation writes the uninstaller again.
void PutSelfRemovalAside()
{
    driver::WaitUntil([] { return !Exists(DeleteMe); }, SelfRemovalTimeout);
    DeleteFileA(Uninstaller.c_str());
}

// Starts setup from a kit and goes past the welcome page; the sheet, with the caption of the page
// that came, or null.
HWND SecondPage(driver::TProgram& install, const std::string& exe, std::string& caption)
{
    caption.clear();
    if (!install.Start(exe, "", exe.substr(0, exe.find_last_of('/'))))
        return 0;
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    if (!sheet)
        return 0;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    driver::WaitUntil([&] {
        caption = driver::Text(sheet);
        return (caption == FolderPage || caption == ActionPage) && driver::CurrentPage(sheet);
    });
    return sheet;
}

// Takes setup to Finish: a new installation with the user's desktop ticked besides the shortcuts
// offered, or Reinstall where the product is installed. False when a page did not come.
bool Finish(driver::TProgram& install, const std::string& exe)
{
    std::string caption;
    HWND sheet = SecondPage(install, exe, caption);
    if (caption == FolderPage) {
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        if (driver::WaitWizard("Интерфейс") != sheet)
            return false;
        driver::Click(driver::CurrentPage(sheet), install_ids::IDC_USER_DESKTOP);
    } else if (caption == ActionPage) {
        driver::Click(driver::CurrentPage(sheet), install_ids::IDC_REINSTALL);
    } else {
        return false;
    }
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    return true;
}

bool InstallCompletely()
{
    driver::TProgram install;
    std::string text;
    return Finish(install, Kit) && driver::AnswerMessageBox(SetupCaption, IDOK, &text) && text == InstallDone
        && install.Wait() == 1;
}

// Setup from the slow kit, killed at the point. True when the kill came inside the extraction: setup
// still running, the point reached, and the archive's last file not complete.
bool KillDuringExtraction(const TKillPoint& point)
{
    const std::string watched = point.file ? InFolder(point.file) : std::string();
    const LONGLONG before = Size(watched);
    driver::TProgram install;
    if (!Finish(install, SlowKit))
        return false;
    const bool reached = driver::WaitUntil([&] {
        return point.file ? Size(watched) != before : FindWindowA("#32770", "Копирование файлов") != 0;
    });
    // Waiting no time at all ends setup there and then.
    const bool running = install.Wait(0) == -1;
    printf("  killed with");
    for (const char* name : ProductFiles)
        if (Exists(InFolder(name)))
            printf(" %s (%lld bytes)", name, Size(InFolder(name)));
    printf("%s\n", Exists(Uninstaller) ? " and the uninstaller" : "");
    return reached && running && Size(InFolder("Tikton.fts")) < LastFileBytes;
}

// Setup started again: the folder page of a clean machine, or the action page where the record says
// installed; left with Cancel.
void CheckSetupAgain(const char* name)
{
    driver::TProgram install;
    std::string caption;
    HWND sheet = SecondPage(install, Kit, caption);
    CHECK_CASE(caption == (Recorded() ? ActionPage : FolderPage), name);
    if (caption == FolderPage)
        CHECK_TEXT(driver::Text(driver::CurrentPage(sheet), install_ids::IDC_FOLDER_EDIT).c_str(), Folder);
    if (!caption.empty())
        session::CancelWizard(sheet);
    CHECK_CASE(install.Wait() == 1, name);
}

struct TFigures {
    int cases, passed, failed, inside;
};

void Run(const TKillPoint& point, TFigures& figures)
{
    printf("case: %s\n", point.name);
    const int before = check::Failures();
    Clean();
    if (point.reinstall)
        CHECK_CASE(InstallCompletely(), point.name);
    const std::map<std::string, std::string> installed = FolderFiles(std::string(Folder) + "\\");
    const std::string uninstaller = ReadBytes(Uninstaller);
    const bool inside = KillDuringExtraction(point);
    CHECK_CASE(inside, point.name);
    CheckSetupAgain(point.name);
    // Setup started again puts back what the stopped reinstallation had moved aside and overwritten; a
    // file that was not there before stays as it was written, with the product's name.
    if (point.reinstall) {
        for (const auto& file : FolderFiles(std::string(Folder) + "\\")) {
            auto before = installed.find(file.first);
            bool product = false;
            for (const char* name : ProductFiles)
                product = product || file.first == InFolder(name);
            CHECK_CASE(before == installed.end() ? product : before->second == file.second, file.first.c_str());
        }
        CHECK_CASE(FolderFiles(std::string(Folder) + "\\").size() >= installed.size(), point.name);
        CHECK_CASE(ReadBytes(Uninstaller) == uninstaller, point.name);
    }
    if (Exists(Uninstaller)) {
        if (Recorded()) {
            CHECK_CASE(remover::RemoveAll(Uninstaller), point.name);
            CheckNothingLeft(point.name);
            PutSelfRemovalAside();
        } else {
            std::string text;
            CHECK_CASE(remover::Refuses(Uninstaller, text), point.name);
            CHECK_TEXT(text.c_str(), OtherVersion);
        }
    }
    CHECK_CASE(InstallCompletely(), point.name);
    CHECK_CASE(remover::RemoveAll(Uninstaller), point.name);
    CheckNothingLeft(point.name);
    PutSelfRemovalAside();

    ++figures.cases;
    figures.inside += inside;
    if (check::Failures() == before)
        ++figures.passed;
    else
        ++figures.failed;
}
}

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    Kit = argv[1];
    SlowKit = argv[2];
    LastFileBytes = atoll(argv[3]);
    InitPlatformFlags(UseWithFreeSpace);
    const std::string windows = WindowsFolder().CStr();
    Uninstaller = windows + "\\unTikton.exe";
    DeleteMe = windows + "\\DeleteMe.com";

    const DWORD start = GetTickCount();
    TFigures figures = {};
    for (const TKillPoint& point : KillPoints)
        Run(point, figures);
    printf("| class | cases | passed | failed | killed inside the extraction | seconds |\n|---|---|---|---|---|---|\n");
    printf("| installation killed while unpacking | %d | %d | %d | %d | %.0f |\n", figures.cases, figures.passed,
           figures.failed, figures.inside, (GetTickCount() - start) / 1000.0);
    return check::Finish("killed installations");
}
