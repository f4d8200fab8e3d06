// Damaged archives: the kit's Install.cab cut at 50 offsets and with 50 single bytes changed, each run
// through the real engine. Every run either installs the files exactly as the archive holds them and
// records them, or shows message 500 and takes back what it made: no record, no product file, no
// empty folder of its own, and every file the user had still there. argv[1] is the kit's Install.cab.
#include <windows.h>

#include <string>
#include <vector>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "engine_run.h"
#include "files.h"
#include "installer.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "state.h"
#include "texts.h"

namespace {
const char Work[] = "C:\\Work";
const char UserFolder[] = "C:\\Robust";
const char UserFile[] = "C:\\Robust\\user's notes.txt";
const char* const Product[] = {"Tikton.exe", "Tikton.hlp", "Tikton.cnt", "Tikton.gid"};

bool Empty(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    bool empty = true;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, "..")) {
            empty = false;
            printf("  left in %s: %s\n", folder.c_str(), found.cFileName);
        }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return empty;
}

struct TFigures {
    int cases, installed, rolledBack, failed, userFilesLost;
};

// One installation from the given archive into C:\Robust\Nested\Deeper, below the user's folder.
void Run(const std::string& archive, const std::string* originals, const char* name, TFigures& figures)
{
    ++figures.cases;
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    DeleteFileA(UninstallerPath.CStr());
    WriteBytes(std::string(Work) + "\\Install.cab", archive);
    std::vector<std::string> boxes = RunEngine("C:\\Robust\\Nested\\Deeper", true);

    const int before = check::Failures();
    CHECK_CASE(boxes.size() == 1, name);
    const std::string target = "C:\\Robust\\Nested\\Deeper\\";
    if (!boxes.empty() && boxes[0] == InstallDone) {
        ++figures.installed;
        for (int i = 0; i < 4; ++i)
            CHECK_CASE(ReadBytes(target + Product[i]) == originals[i], name);
        CHECK_CASE(ReadBytes(UninstallerPath.CStr()) == originals[4], name);
        TString dir;
        CHECK_CASE(ReadRegStringAt(dir, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue), name);
    } else {
        ++figures.rolledBack;
        CHECK_CASE(!boxes.empty() && boxes[0] == ExtractFailed, name);
        for (const char* product : {"Tikton.exe", "Tikton.hlp", "Tikton.cnt"})
            CHECK_CASE(!Exists(target + product), name);
        CHECK_CASE(!Exists(UninstallerPath.CStr()), name);
        TString dir;
        CHECK_CASE(!ReadRegStringAt(dir, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue), name);
        // Our folders stay only while something the rollback does not know by name is in them.
        CHECK_CASE(!Exists("C:\\Robust\\Nested\\Deeper") || !Empty("C:\\Robust\\Nested\\Deeper"), name);
        CHECK_CASE(Exists("C:\\Robust\\Nested\\Deeper") || !Exists("C:\\Robust\\Nested"), name);
    }
    if (ReadBytes(UserFile) != "mine") {
        ++figures.userFilesLost;
        check::Fail(__FILE__, __LINE__, "the user's file is gone or changed", name);
    }
    if (check::Failures() != before)
        ++figures.failed;
    // Clean the product away for the next run, keeping the user's folder and file.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((target + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        DeleteFileA((target + found.cFileName).c_str());
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryA("C:\\Robust\\Nested\\Deeper");
    RemoveDirectoryA("C:\\Robust\\Nested");
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string kit = ReadBytes(driver::WindowsPath(argv[1]));
    InitPlatformFlags(UseWithFreeSpace);
    Screen.Instance = GetModuleHandleA(0);
    CreateDirectoryA(Work, 0);
    SetCurrentDirectoryA(Work);
    ResolveLocations();
    CreateDirectoryA(UserFolder, 0);
    WriteBytes(UserFile, "mine");

    // The files as the intact archive installs them.
    std::string originals[5];
    WriteBytes(std::string(Work) + "\\Install.cab", kit);
    RunEngine("C:\\Reference", false);
    for (int i = 0; i < 4; ++i)
        originals[i] = ReadBytes(std::string("C:\\Reference\\") + Product[i]);
    originals[4] = ReadBytes(UninstallerPath.CStr());
    CHECK(!originals[0].empty() && !originals[4].empty());

    TFigures truncated = {}, corrupted = {};
    const size_t size = kit.size();
    for (int i = 0; i < 50; ++i) {
        const size_t cut = size * static_cast<size_t>(i) / 50;
        char name[48];
        snprintf(name, sizeof name, "cut at %zu of %zu", cut, size);
        Run(kit.substr(0, cut), originals, name, truncated);
    }
    // Single bytes changed: the first 36 bytes (the cabinet header) byte by byte, then spread over the
    // file list and the compressed data.
    for (int i = 0; i < 50; ++i) {
        const size_t at = i < 36 ? static_cast<size_t>(i) : 36 + (size - 36) * static_cast<size_t>(i - 36) / 14;
        std::string damaged = kit;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        char name[48];
        snprintf(name, sizeof name, "byte %zu changed", at);
        Run(damaged, originals, name, corrupted);
    }
    printf("| class | cases | installed | rolled back | failed | user files lost |\n|---|---|---|---|---|---|\n");
    for (const auto& row : {std::make_pair("truncated archive", truncated), std::make_pair("changed byte", corrupted)})
        printf("| %s | %d | %d | %d | %d | %d |\n", row.first, row.second.cases, row.second.installed,
               row.second.rolledBack, row.second.failed, row.second.userFilesLost);
    return check::Finish("damaged archives");
}
