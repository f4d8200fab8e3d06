// Hostile archive entries: each of the six names of an archive replaced, byte for byte, by a name
// that climbs out, is rooted or drive-qualified, names a stream or a device, or is a folder path;
// run through the real engine into the user's own folder, as a new installation and as a
// reinstallation. Each is refused as a damaged archive: nothing is written outside the installation
// folder, nothing of the user's is lost, and the registered uninstaller is never replaced.
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
int FilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    int count = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return count;
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string cabinet = ReadBytes(driver::WindowsPath(argv[1]));
    InitPlatformFlags(UseWithFreeSpace);
    Screen.Instance = GetModuleHandleA(0);
    CreateDirectoryA("C:\\Work", 0);
    SetCurrentDirectoryA("C:\\Work");
    UninstallerPath.Assign("C:\\windows\\unTikton.exe");
    CreateDirectoryA("C:\\Mine", 0);
    CreateDirectoryA("C:\\Outside", 0);
    WriteBytes("C:\\Mine\\notes.txt", "mine");
    const std::string registered = "the registered uninstaller";
    WriteBytes(UninstallerPath.CStr(), registered);
    const char* const placeholders[] = {"AAAAAAAAAAAAAAAA.txt", "BBBBBBBBBBBBBBBB.txt", "CCCCCCCCCCCCCCCC.txt",
                                        "DDDDDDDDDDDDDDDD.txt", "EEEEEEEEEEEEEEEE.txt", "FFFFFFFFFFFFFFFF.txt"};
    // Twenty characters each, as the placeholders.
    const char* const names[] = {
        "..\\Outside\\evil1.txt", "C:\\Outside\\evil2.txt", "C:Outside\\evil3.txt1", "\\Outside\\evil4.txt12",
        "sub/../../evil5.txtx", "AAAA.txt:hidden.txt1", "NUL.txt             ", "aaaaaaaaaaaaaaaaaaa.",
        "..\\..\\windows\\evil.x", "sub\\folder\\path\\tox\\", "lpt1.exe            ", "..\\\\Outside\\evil.txt",
    };
    const int outsideBefore = FilesIn("C:\\Outside") + FilesIn("C:\\") + FilesIn("C:\\windows");
    int cases = 0, refused = 0, lost = 0, escaped = 0, replaced = 0;
    for (int slot = 0; slot < 6; ++slot)
        for (const bool fresh : {true, false})
            for (const char* name : names) {
                ++cases;
                std::string bytes = cabinet;
                size_t at = bytes.find(placeholders[slot]);
                CHECK(at != std::string::npos && strlen(name) == strlen(placeholders[slot]));
                bytes.replace(at, strlen(name), name);
                WriteBytes("C:\\Work\\Install.cab", bytes);
                DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
                std::vector<std::string> boxes = RunEngine("C:\\Mine", fresh);
                const bool wasRefused = boxes.size() == 1 && boxes[0] == ExtractFailed;
                refused += wasRefused;
                if (!wasRefused)
                    printf("not refused: slot %d, \"%s\"\n", slot + 1, name);
                if (ReadBytes("C:\\Mine\\notes.txt") != "mine")
                    ++lost;
                // Nothing after a refused name is written: refused up to the fifth place, the uninstaller
                // stays as registered.
                if (slot < 5 && ReadBytes(UninstallerPath.CStr()) != registered) {
                    ++replaced;
                    printf("uninstaller replaced: slot %d, %s, \"%s\"\n", slot + 1, fresh ? "new" : "reinstall", name);
                }
                WriteBytes(UninstallerPath.CStr(), registered);
                for (const char* placeholder : placeholders)
                    DeleteFileA((std::string("C:\\Mine\\") + placeholder).c_str());
            }
    escaped = FilesIn("C:\\Outside") + FilesIn("C:\\") + FilesIn("C:\\windows") - outsideBefore;
    CHECK_EQ(refused, cases);
    CHECK_EQ(lost, 0);
    CHECK_EQ(escaped, 0);
    CHECK_EQ(replaced, 0);
    printf("| hostile archive entries | %d | %d | %d | %d |\n", cases, refused, cases - refused, lost);
    return check::Finish("hostile entries");
}
