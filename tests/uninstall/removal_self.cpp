// The uninstaller's self-removal from awkward places and states.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "boxes.h"
#include "check.h"
#include "files.h"
#include "removal_test.h"
#include "steps.h"

namespace removal {

namespace {
// The table runs as Windows 2000, where a 32-bit uninstaller takes the DOS way for a plain ASCII path DOS
// takes; a 64-bit one never does (uninstall.self-removal.rule holds the rule for every system).
const bool DosWayHere = sizeof(void*) == 4;

// Whether the system is to delete this file when it next starts.
bool DeletionAtRestart(const std::string& path)
{
    char pending[8192] = "";
    DWORD size = sizeof pending - 2, type = 0;
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key))
        return false;
    LONG result = RegQueryValueExA(key, "PendingFileRenameOperations", 0, &type, reinterpret_cast<BYTE*>(pending), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return false;
    // Pairs of names, each "\??\" and a path: the file, then an empty name for a deletion.
    const char* end = pending + size;
    for (const char* name = pending; name < end && *name;) {
        const char* target = name + strlen(name) + 1;
        if (target >= end)
            break;
        if (!*target && lstrcmpiA(name + (strncmp(name, "\\??\\", 4) ? 0 : 4), path.c_str()) == 0)
            return true;
        name = target + strlen(target) + 1;
    }
    return false;
}
}

// Self-removal from a read-only file with a leftover deletion program, from folders whose names have
// blanks and Cyrillic letters, from a file another program holds open for a while, where the deletion
// program cannot be written, and where the command interpreter is missing. Under 32-bit Wine the DOS way
// runs in DOSBox, which makes 8.3 names of its own and deletes behind the system's back: a Cyrillic
// folder takes the script because the product never gives DOS such a path, not because of DOSBox.
void SelfRemoval()
{
    const char DeepFolder[] = "C:\\deep\\level01\\level02\\level03\\level04\\level05\\level06\\level07";
    struct {
        const char* name;
        const char* folder;  // where the uninstaller runs from
        bool dosPath;        // the DOS way takes this path where DOS programs run
        bool readOnly, leftover, blocked;
        DWORD lockedFor;     // milliseconds another program holds the file after the uninstaller exits
        bool noInterpreter;
    } const cases[] = {
        {"read-only, with a leftover DeleteMe.com", "C:\\windows", true, true, true, false, 0, false},
        {"folder with blanks", "C:\\Program Files\\Setup Tools", true, false, false, false, 0, false},
        {"Cyrillic folder with blanks", "C:\\Program Files\\Удаление Тиктона", false, false, false, false, 0, false},
        {"the interpreter's special letters", "C:\\t\\%windir% a&b^c!d (e) Тиктон", false, false, false, false, 0, false},
        {"held open for a while", "C:\\windows", true, false, false, false, 5000, false},
        {"short path longer than DOS takes", DeepFolder, false, false, false, false, 0, false},
        {"DeleteMe.com cannot be written", "C:\\windows", true, false, false, true, 0, false},
        {"no command interpreter, and DOS cannot be given the path", DeepFolder, false, false, false, false, 0, true},
    };
    for (const auto& c : cases) {
        printf("case: %s\n", c.name);
        const bool dosWay = DosWayHere && c.dosPath;
        CHECK(InstallWithKit());
        const std::string folder = c.folder;
        const std::string uninstaller = folder + "\\unTikton.exe";
        const std::string deleteMe = folder + "\\DeleteMe.com";
        const std::string script = folder + "\\DeleteMe.cmd";
        for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
            CreateDirectoryA(folder.substr(0, at).c_str(), 0);
        CreateDirectoryA(c.folder, 0);
        if (uninstaller != Uninstaller)
            CopyFileA(Uninstaller, uninstaller.c_str(), FALSE);
        if (c.leftover) {
            HANDLE old = CreateFileA(deleteMe.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
            DWORD written;
            WriteFile(old, "left over from an earlier run", 29, &written, 0);
            CloseHandle(old);
        }
        if (c.blocked)
            CreateDirectoryA(deleteMe.c_str(), 0);
        if (c.readOnly)
            SetFileAttributesA(uninstaller.c_str(), FILE_ATTRIBUTE_READONLY);
        char interpreter[MAX_PATH] = "";
        GetEnvironmentVariableA("COMSPEC", interpreter, sizeof interpreter);
        if (c.noInterpreter)
            SetEnvironmentVariableA("COMSPEC", "C:\\nowhere\\cmd.exe");

        driver::TProgram program;
        CHECK(program.Start(uninstaller));
        SetEnvironmentVariableA("COMSPEC", interpreter);
        HANDLE lock = c.lockedFor ? CreateFileA(uninstaller.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0)
                                  : INVALID_HANDLE_VALUE;
        CHECK_CASE(!c.lockedFor || lock != INVALID_HANDLE_VALUE, c.name);
        HWND sheet = PastWelcome("Выбор действия");
        if (!sheet)
            return;
        CHECK(RemoveAll(sheet));
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
        // DeleteMe.com is written only by the DOS way; the script's way does not need it.
        if (c.blocked && dosWay) {
            EXPECT_UNINSTALL_BOX("Не удалось создать файл для записи программы DeleteMe.com, поэтому следует вручную "
                                 "удалить исполнимый модуль программы удаления:\r\n" + uninstaller + ".", IDOK);
            CHECK_EQ(program.Wait(), 0);
            CHECK(Exists(uninstaller));
        } else if (c.noInterpreter) {
            // Nothing is left behind that the next restart does not remove, and that is this run's file
            // alone: an uninstaller installed again before the restart stays.
            CHECK_EQ(program.Wait(), 0);
            const std::string aside = MovedAside(folder);
            CHECK(!aside.empty() && DeletionAtRestart(aside));
            CHECK(!Exists(deleteMe));
            CHECK(!Exists(script));
            CHECK(!Exists(uninstaller));
            CHECK(CopyFileA(Uninstaller, uninstaller.c_str(), FALSE));
            CHECK(!DeletionAtRestart(uninstaller));
            DeleteFileA(uninstaller.c_str());
            DeleteFileA(aside.c_str());
        } else {
            CHECK_EQ(program.Wait(), 0);
            if (c.blocked)
                RemoveDirectoryA(deleteMe.c_str());
            if (lock != INVALID_HANDLE_VALUE) {
                Sleep(c.lockedFor);
                // DOSBox deletes behind the system's back; the interpreter waits for the file to be free.
                if (!dosWay)
                    CHECK_CASE(Exists(uninstaller), c.name);
                CloseHandle(lock);
            }
            CHECK_CASE(SelfRemoved(folder), c.name);
        }
        RemoveDirectoryA(deleteMe.c_str());
        DeleteFileA(Uninstaller);
    }
}

}  // namespace removal
