// The uninstaller's self-removal from awkward places and states, and the probe of whether DOS programs
// start here at all.
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
// A 64-bit Windows, like 64-bit Wine, starts no 16-bit program: there the uninstaller takes the command
// interpreter's way.
const bool DosProgramsStart = sizeof(void*) == 4;

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
// program cannot be written, and where the command interpreter is missing.
void SelfRemoval()
{
    const char DeepFolder[] = "C:\\deep\\level01\\level02\\level03\\level04\\level05\\level06\\level07";
    // The uninstaller's short path here is 67 characters: the longest DOS takes.
    const char LimitFolder[] = "C:\\deep\\level01\\level02\\level03\\level04\\level05\\level6";
    struct {
        const char* name;
        const char* folder;  // where the uninstaller runs from
        bool readOnly, leftover, blocked;
        DWORD lockedFor;     // milliseconds another program holds the file after the uninstaller exits
        bool noInterpreter;
        size_t shortLength;  // the uninstaller's short path length the case depends on, if any
        bool dosTakes;       // without an interpreter: DOS can be given that path, and only it removes the file
    } const cases[] = {
        {"read-only, with a leftover DeleteMe.com", "C:\\windows", true, true, false, 0, false, 0, false},
        {"folder with blanks", "C:\\Program Files\\Setup Tools", false, false, false, 0, false, 0, false},
        {"Cyrillic folder with blanks", "C:\\Program Files\\Удаление Тиктона", false, false, false, 0, false, 0, false},
        {"held open for a while", "C:\\windows", false, false, false, 5000, false, 0, false},
        {"short path longer than DOS takes", DeepFolder, false, false, false, 0, false, 76, false},
        {"DeleteMe.com cannot be written", "C:\\windows", false, false, true, 0, false, 0, false},
        {"no command interpreter, and DOS cannot be given the path", DeepFolder, false, false, false, 0, true, 76, false},
        {"no command interpreter, and a short path of the longest DOS takes", LimitFolder, false, false, false, 0, true,
         67, true},
    };
    for (const auto& c : cases) {
        printf("case: %s\n", c.name);
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

        if (c.shortLength) {
            char shortPath[MAX_PATH] = "";
            CHECK_CASE(GetShortPathNameA(uninstaller.c_str(), shortPath, sizeof shortPath) == c.shortLength, c.name);
        }

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
        if (c.blocked) {
            EXPECT_UNINSTALL_BOX("Не удалось создать файл для записи программы DeleteMe.com, поэтому следует вручную "
                                 "удалить исполнимый модуль программы удаления:\r\n" + uninstaller + ".", IDOK);
            CHECK_EQ(program.Wait(), 0);
            CHECK(Exists(uninstaller));
            RemoveDirectoryA(deleteMe.c_str());
        } else if (c.noInterpreter && !(c.dosTakes && DosProgramsStart)) {
            // Nothing is left behind that the next restart does not remove.
            CHECK_EQ(program.Wait(), 0);
            CHECK(Exists(uninstaller));
            CHECK(!Exists(deleteMe));
            CHECK(!Exists(script));
            CHECK(DeletionAtRestart(uninstaller));
            SetFileAttributesA(uninstaller.c_str(), FILE_ATTRIBUTE_NORMAL);
        } else {
            CHECK_EQ(program.Wait(), 0);
            if (lock != INVALID_HANDLE_VALUE) {
                Sleep(c.lockedFor);
                // DOSBox deletes behind the system's back; the interpreter waits for the file to be free.
                if (!DosProgramsStart)
                    CHECK_CASE(Exists(uninstaller), c.name);
                CloseHandle(lock);
            }
            CHECK_CASE(SelfRemoved(folder), c.name);
        }
        DeleteFileA(Uninstaller);
    }
}

// Where DOS programs cannot start, the DOS way of self-removal cannot run end to end: reported as
// skipped (77) once a real start has failed, and a failure should one start.
int DosStart()
{
    const char program[] = "C:\\windows\\dos-probe.com";
    const unsigned char exitAtOnce[] = {0xB8, 0x00, 0x4C, 0xCD, 0x21};  // mov ax, 4C00h; int 21h
    HANDLE file = CreateFileA(program, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written = 0;
    CHECK(WriteFile(file, exitAtOnce, sizeof exitAtOnce, &written, 0) && written == sizeof exitAtOnce);
    CloseHandle(file);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char line[] = "C:\\windows\\dos-probe.com";
    bool started = CreateProcessA(0, line, 0, 0, FALSE, 0, 0, 0, &startup, &process);
    DWORD error = GetLastError();
    DeleteFileA(program);
    if (started) {
        check::Fail(__FILE__, __LINE__, "a DOS program started", "run the DOS way's tests here");
        return check::Finish("uninstall dos-start");
    }
    printf("skipped: no DOS program starts under this Wine (error %lu), as on every 64-bit Windows: DeleteMe.com "
           "runs for real only under 32-bit Wine (its logic: uninstall.deleteme); uninstall.self-removal takes "
           "the command interpreter's way here\n", error);
    return check::Failures() ? 1 : 77;
}

}  // namespace removal
