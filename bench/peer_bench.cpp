// Times the kit's Install.exe against installers of the same payload made with NSIS, in alternating
// rounds (ours, then each NSIS installer, round after round) under one Wine:
//   first  process start to the first wizard page painted, found and judged alike for both sides;
//          also for blank_page.exe, a window with the same text and nothing else: the platform's floor
//   install ours: the press of Finish to the closing message; NSIS: silent (/S /D=), start to exit
//   silent  ours unattended (/S /D=), start to exit, as NSIS's install figure is taken
// Every installation starts from nothing: no folder, no record, no shortcuts. A first round, not
// counted, brings every program and library into the session's caches, so that the side run first
// does not pay for all. Prints one line per figure and side: figure, side, median seconds, then
// every round's seconds.
//   peer_bench KIT_FOLDER BLANK_PAGE TARGET FILES ROUNDS NSIS_EXE...
// KIT_FOLDER holds Install.exe and Install.cab; TARGET is the installation folder; FILES is how many
// files each side must leave there (the archive's files but the uninstaller).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "driver.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "resource.h"
#include "shortcut.h"
#include "welcome.h"

namespace {
const char SetupCaption[] = "Установка Тиктона";
const char InstallDone[] = "Установка Тиктона успешно завершена.";
const char LinkName[] = "Тиктон.lnk";
const int MessageBoxTextId = 0xFFFF;
const DWORD Timeout = 120000;
// Every wait polls at this step, for every side alike: the polls' own calls to the window system and
// the Wine server then weigh on both sides the same.
const DWORD PollStep = 10;

LARGE_INTEGER Frequency;

double Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(Frequency.QuadPart);
}

bool Fail(const std::string& what)
{
    printf("error %s\n", what.c_str());
    fflush(stdout);
    return false;
}

// Window texts are read through the window system, without a message to the program being timed.
std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct TFinder {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter)
{
    TFinder& finder = *reinterpret_cast<TFinder*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == finder.process && IsWindowVisible(window))
        finder.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter)
{
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD process)
{
    TFinder finder = {process, std::vector<HWND>()};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&finder));
    return finder.found;
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsMessageBox(HWND window) { return GetDlgItem(window, MessageBoxTextId) != 0; }

// The window of the program that shows the welcome page's text in a visible control, or null.
HWND WelcomeWindow(DWORD process)
{
    for (HWND window : TopLevelWindows(process)) {
        if (IsMessageBox(window))
            continue;
        for (HWND child : Descendants(window))
            if (IsWindowVisible(child) && WindowText(child).compare(0, sizeof WelcomeOpening - 1, WelcomeOpening) == 0)
                return window;
    }
    return 0;
}

// Painted: the program has taken a message since (so no paint handler is half-way), and neither the
// window nor any visible control in it waits to be painted.
bool Painted(HWND window)
{
    DWORD_PTR ignored;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
        return false;
    if (GetUpdateRect(window, 0, FALSE))
        return false;
    for (HWND child : Descendants(window))
        if (IsWindowVisible(child) && GetUpdateRect(child, 0, FALSE))
            return false;
    return true;
}

template <class Condition>
bool Poll(Condition condition)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= Timeout)
            return false;
        Sleep(PollStep);
    }
    return true;
}

// Installer -------------------------------------------------------------------------------------

enum TKind { Ours, Nsis, Floor };

struct TSide {
    TKind kind;
    std::string name;
    std::string program;
    std::vector<double> first, install, silent;
};

std::string KitFolder, Target;
int ExpectedFiles;

void DeleteFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteFolder(folder + "\\" + name);
        else
            DeleteFileA((folder + "\\" + name).c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryA(folder.c_str());
}

int CountFiles(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return count;
}

std::string UninstallerFile()
{
    return WindowsFolder().Concat("\\unTikton.exe").CStr();
}

// What either side leaves: the folder, the uninstaller, the record and the shortcuts.
void Clean()
{
    DeleteFolder(Target);
    DeleteFileA(UninstallerFile().c_str());
    DeleteRegTree(HKEY_LOCAL_MACHINE, ProductKey);
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    DeleteRegTree(HKEY_LOCAL_MACHINE, AppPathKey);
    HKEY help = OpenRegKey(HKEY_LOCAL_MACHINE, HelpKey, false, false);
    if (help) {
        RegDeleteValueA(help, HelpFileValue);
        RegCloseKey(help);
    }
    for (int location = 0; location < ShortcutLocationCount; ++location) {
        TString link = LinkPathIn(ReadShortcutFolder(static_cast<TShortcutLocation>(location)), LinkName);
        if (!link.IsEmpty())
            DeleteFileA(link.CStr());
    }
}

bool Installed(const TSide& side)
{
    const int files = CountFiles(Target);
    if (files != ExpectedFiles || GetFileAttributesA(UninstallerFile().c_str()) == INVALID_FILE_ATTRIBUTES)
        return Fail(side.name + " left " + std::to_string(files) + " files in the folder instead of "
                    + std::to_string(ExpectedFiles) + ", or no uninstaller");
    return true;
}

bool Start(driver::TProgram& program, const TSide& side, const std::string& arguments)
{
    if (program.Start(side.program, arguments, side.kind == Ours ? KitFolder : ""))
        return true;
    return Fail("cannot start " + side.program);
}

bool TimeFirstPage(TSide& side)
{
    driver::TProgram program;
    const double start = Now();
    if (!Start(program, side, ""))
        return false;
    HWND window = 0;
    if (!Poll([&] { return (window = WelcomeWindow(program.Id())) != 0 && Painted(window); }))
        return Fail(side.name + ": no welcome page painted");
    side.first.push_back(Now() - start);
    program.Wait(0);
    return true;
}

HWND NextPage(HWND sheet, const char* caption)
{
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    return driver::WaitWizard(caption, Timeout) == sheet ? driver::CurrentPage(sheet) : 0;
}

HWND ClosingMessage(DWORD process)
{
    for (HWND window : TopLevelWindows(process))
        if (IsMessageBox(window) && WindowText(window) == SetupCaption)
            return window;
    return 0;
}

bool TimeOurInstallation(TSide& side)
{
    driver::TProgram program;
    if (!Start(program, side, ""))
        return false;
    HWND sheet = driver::WaitWizard("Добро пожаловать", Timeout);
    HWND folder = sheet ? NextPage(sheet, "Выбор папки") : 0;
    if (!folder)
        return Fail("ours: the wizard did not reach the folder page");
    driver::Type(folder, IDC_FOLDER_EDIT, Target);
    if (!NextPage(sheet, "Интерфейс"))
        return Fail("ours: the wizard did not reach the shortcuts page");
    HWND box = 0;
    const double start = Now();
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    if (!Poll([&] { return (box = ClosingMessage(program.Id())) != 0; }))
        return Fail("ours: no closing message");
    const double end = Now();
    const std::string text = WindowText(GetDlgItem(box, MessageBoxTextId));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    if (text != InstallDone)
        return Fail("ours: the closing message says " + text);
    if (program.Wait(Timeout) != 1)
        return Fail("ours: Install.exe did not end with 1");
    side.install.push_back(end - start);
    return Installed(side);
}

bool TimeSilentInstallation(TSide& side, std::vector<double>& times)
{
    driver::TProgram program;
    const double start = Now();
    if (!Start(program, side, "/S /D=" + Target))
        return false;
    // The same search as for our closing message, so that both are watched at the same cost.
    if (!Poll([&] { return ClosingMessage(program.Id()) != 0 || !program.Running(); }))
        return Fail(side.name + ": did not end");
    const double end = Now();
    const long code = program.Wait(Timeout);
    if (code != 0)
        return Fail(side.name + ": ended with " + std::to_string(code));
    times.push_back(end - start);
    return Installed(side);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(const char* figure, const TSide& side, const std::vector<double>& values)
{
    printf("%s %s %.3f", figure, side.name.c_str(), Median(values));
    for (double value : values)
        printf(" %.3f", value);
    printf("\n");
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    return name.substr(0, name.rfind('.'));
}
}

int main(int argc, char** argv)
{
    if (argc < 7)
        return 2;
    QueryPerformanceFrequency(&Frequency);
    InitPlatformFlags(UseWithoutFreeSpace);
    KitFolder = argv[1];
    Target = argv[3];
    ExpectedFiles = atoi(argv[4]);
    const int rounds = atoi(argv[5]);
    std::vector<TSide> sides;
    sides.push_back(TSide{Ours, "ours", KitFolder + "/Install.exe", {}, {}, {}});
    for (int i = 6; i < argc; ++i)
        sides.push_back(TSide{Nsis, BaseName(argv[i]), argv[i], {}, {}, {}});
    sides.push_back(TSide{Floor, "floor", argv[2], {}, {}, {}});
    // Round 0 warms the caches and is not counted.
    for (int round = 0; round <= rounds; ++round) {
        if (round == 1) {
            for (TSide& side : sides) {
                side.first.clear();
                side.install.clear();
                side.silent.clear();
            }
        }
        // Every first page on a clean machine: an earlier round's record would start setup's maintenance.
        for (TSide& side : sides) {
            Clean();
            if (!TimeFirstPage(side))
                return 1;
        }
        for (TSide& side : sides) {
            if (side.kind == Floor)
                continue;
            Clean();
            if (!(side.kind == Ours ? TimeOurInstallation(side) : TimeSilentInstallation(side, side.install)))
                return 1;
            if (side.kind != Ours)
                continue;
            Clean();
            if (!TimeSilentInstallation(side, side.silent))
                return 1;
        }
    }
    Clean();
    for (const TSide& side : sides) {
        Report("first", side, side.first);
        if (side.kind != Floor)
            Report("install", side, side.install);
        if (side.kind == Ours)
            Report("silent", side, side.silent);
    }
    return 0;
}
