// The installation engine in-process, against Wine's real registry, files and shell links: where the
// product goes, the record it leaves, the shortcuts in their order, and the rollback of a failed
// installation. argv[1] is the kit's Install.cab, argv[2] names the case, argv[3] is the folder of
// test cabinets.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "engine_run.h"
#include "files.h"
#include "installer.h"
#include "machine.h"
#include "paths.h"
#include "platform.h"
#include "record.h"
#include "registry.h"
#include "state.h"
#include "texts.h"

namespace {
std::string KitCabinet, Cabinets;
const char Work[] = "C:\\Work";
using install_texts::FolderFailed;
const char* const ProductFiles[] = {"Tikton.exe", "Tikton.hlp", "Tikton.cnt", "Tikton.gid"};

std::string Value(const char* key, const char* name)
{
    TString text;
    ReadRegStringAt(text, HKEY_LOCAL_MACHINE, key, name);
    return text.CStr();
}

void CleanMachine()
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    DeleteRegTree(HKEY_LOCAL_MACHINE, AppPathKey);
    DeleteFileA(UninstallerPath.CStr());
    for (const TString& folder : ShortcutFolders)
        if (!folder.IsEmpty())
            DeleteFileA(folder.Concat("\\Тиктон.lnk").CStr());
}

void UseCabinet(const std::string& source)
{
    std::string target = std::string(Work) + "\\Install.cab";
    DeleteFileA(target.c_str());
    if (!source.empty())
        CopyFileA(source.c_str(), target.c_str(), FALSE);
}

// The exit code the last run would give an unattended Install.
int Exit;

// One run of the engine for a confirmed wizard with every shortcut; the texts of the boxes it showed.
std::vector<std::string> Install(const char* folder, bool fresh = true) { return RunEngine(folder, fresh, true, &Exit); }

void ExpectBoxes(const std::vector<std::string>& shown, const char* text, const char* where)
{
    CHECK_CASE(shown.size() == 1, where);
    if (!shown.empty())
        CHECK_TEXT(shown[0].c_str(), text);
}

FILETIME Written(const std::string& path)
{
    FILETIME time = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    GetFileTime(file, 0, 0, &time);
    CloseHandle(file);
    return time;
}

// A new installation with every shortcut box ticked; the system decides which locations exist.
void Fresh()
{
    CleanMachine();
    UseCabinet(KitCabinet);
    ExpectBoxes(Install("C:\\Program Files\\Тиктон"), InstallDone, "fresh");
    CHECK_EQ(Exit, ExitInstalled);
    for (const char* name : ProductFiles)
        CHECK_CASE(Exists(std::string("C:\\Program Files\\Тиктон\\") + name), name);
    CHECK(Exists(UninstallerPath.CStr()));
    CHECK_TEXT(Value(ProductKey, InstallDirValue).c_str(), "C:\\Program Files\\Тиктон\\");
    CHECK_TEXT(Value(ProductKey, InstDirExistedValue).c_str(), "C:\\Program Files\\");
    CHECK_TEXT(EntryDetailsMismatch("C:\\Program Files\\Тиктон", UninstallerPath.CStr()).c_str(), "");

    // Shortcuts: the all-users ones first, then the user's, Quick Launch last, where the system has them.
    const TShortcutLocation order[] = {CommonDesktopLocation, CommonProgramsLocation, CommonStartMenuLocation,
                                       UserDesktopLocation,   UserProgramsLocation,   UserStartMenuLocation,
                                       QuickLaunchLocation};
    FILETIME previous = {};
    int made = 0;
    for (TShortcutLocation location : order) {
        std::string link = std::string(ShortcutFolders[location].CStr()) + "\\Тиктон.lnk";
        bool expected = ShortcutLocationExists(location);
        char name[32];
        snprintf(name, sizeof name, "location %d", location);
        CHECK_CASE(Exists(link) == expected, name);
        if (!expected || !Exists(link))
            continue;
        ++made;
        FILETIME time = Written(link);
        CHECK_CASE(CompareFileTime(&previous, &time) <= 0, name);
        previous = time;
    }
    CHECK_EQ(made, (IsWinNT ? 6 : 3) + (QuickLaunchSupported ? 1 : 0));
}

void Folders()
{
    struct {
        const char* folder;
        const char *noted, *notedExisted;  // the note a stopped installation left, if any
        const char* installDir;
        const char* existed;
    } const cases[] = {
        {"D:\\Новая\\Вторая\\Третья", 0, 0, "D:\\Новая\\Вторая\\Третья\\", "D:\\"},
        {"C:\\Existing", 0, 0, "C:\\Existing\\", "C:\\Existing"},
        {"C:\\Trailing\\", 0, 0, "C:\\Trailing\\", "C:\\"},
        // Folders a stopped installation made stay setup's own; a note about another folder changes nothing;
        // of the note and this run's finding the shallower counts.
        {"C:\\Stopped\\Inner", "c:\\stopped\\inner", "C:\\", "C:\\Stopped\\Inner\\", "C:\\"},
        {"C:\\Existing", "C:\\Existing\\Other", "C:\\", "C:\\Existing\\", "C:\\Existing"},
        // A stopped run found the folder there, the user has deleted it since: this run made it.
        {"C:\\Deleted", "C:\\Deleted", "C:\\Deleted", "C:\\Deleted\\", "C:\\"},
    };
    CreateDirectoryA("C:\\Existing", 0);
    CreateDirectoryA("C:\\Stopped", 0);
    CreateDirectoryA("C:\\Stopped\\Inner", 0);
    UseCabinet(KitCabinet);
    for (const auto& c : cases) {
        CleanMachine();
        if (c.noted) {
            HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
            WriteRegString(TString(c.noted), key, PendingInstallDirValue);
            WriteRegString(TString(c.notedExisted), key, PendingInstDirExistedValue);
            RegCloseKey(key);
        }
        ExpectBoxes(Install(c.folder), InstallDone, c.folder);
        CHECK_TEXT(Value(ProductKey, InstallDirValue).c_str(), c.installDir);
        CHECK_TEXT(Value(ProductKey, InstDirExistedValue).c_str(), c.existed);
        CHECK_TEXT(Value(ProductKey, PendingInstallDirValue).c_str(), "");
        CHECK_TEXT(Value(ProductKey, PendingInstDirExistedValue).c_str(), "");
        std::string withoutBackslash(c.installDir, strlen(c.installDir) - 1);
        CHECK_TEXT(Value(HelpKey, HelpFileValue).c_str(), withoutBackslash.c_str());
        CHECK_TEXT(EntryDetailsMismatch(withoutBackslash, UninstallerPath.CStr()).c_str(), "");
        CHECK_TEXT(Value(AppPathKey, 0).c_str(), (std::string(c.installDir) + "Tikton.exe").c_str());
        CHECK_CASE(Exists(std::string(c.installDir) + "Tikton.exe"), c.folder);
    }
}

// Where to cut a cabinet of one folder so that its first `files` files come out whole and the next
// does not, or only its first `into` bytes or more: the first data block that starts that far.
DWORD CutAfterFiles(const std::string& cabinet, int files, DWORD into = 0)
{
    auto word = [&](size_t at) {
        return static_cast<DWORD>(static_cast<BYTE>(cabinet[at]) | static_cast<BYTE>(cabinet[at + 1]) << 8);
    };
    auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
    size_t entry = dword(16);  // the file entries: size, offset in the folder, ..., name at 16
    DWORD end = 0;
    for (int i = 0; i < files; ++i, entry = cabinet.find('\0', entry + 16) + 1)
        end = dword(entry + 4) + dword(entry);
    end += into;
    size_t block = dword(36);  // the folder's first data block: checksum, packed size, unpacked size, data
    for (DWORD unpacked = 0; unpacked < end && block < cabinet.size(); block += 8 + word(block + 4))
        unpacked += word(block + 6);
    return static_cast<DWORD>(block);
}

// The archive at Work\Install.cab: the source cut at `size` bytes.
void UseCutCabinet(const std::string& source, DWORD size)
{
    UseCabinet(source);
    HANDLE cut = CreateFileA((std::string(Work) + "\\Install.cab").c_str(), GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    SetFilePointer(cut, static_cast<LONG>(size), 0, FILE_BEGIN);
    SetEndOfFile(cut);
    CloseHandle(cut);
}

// What an installation consists of: every file in its folder and the Windows folder, the shortcuts,
// the record's values, each by name with its bytes or value.
std::map<std::string, std::string> Installation(const char* folder)
{
    std::map<std::string, std::string> state = FolderFiles(folder);
    // The Windows folder by its names, the uninstaller with its bytes.
    for (const auto& file : FolderFiles(WindowsFolder().Concat("\\").CStr()))
        state[file.first] = SamePath(file.first.c_str(), UninstallerPath.CStr()) ? file.second : "";
    for (const TString& place : ShortcutFolders)
        if (!place.IsEmpty() && Exists(std::string(place.CStr()) + "\\Тиктон.lnk"))
            state["link in " + std::string(place.CStr())] = ReadBytes(std::string(place.CStr()) + "\\Тиктон.lnk");
    for (const char* name : {InstallDirValue, InstDirExistedValue})
        state[name] = Value(ProductKey, name);
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
    DWORD version = 0;
    ReadRegDword(key, InstVersionValue, version);
    RegCloseKey(key);
    state[InstVersionValue] = std::to_string(version);
    state[UninstallStringValue] = Value(UninstallKey, UninstallStringValue);
    return state;
}

void ExpectSame(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after,
                const char* where)
{
    for (const auto& item : before) {
        auto found = after.find(item.first);
        CHECK_CASE(found != after.end() && found->second == item.second, (std::string(where) + ": " + item.first).c_str());
    }
    for (const auto& item : after)
        CHECK_CASE(before.count(item.first), (std::string(where) + ", new: " + item.first).c_str());
}

// Reinstalling rewrites the record but keeps the folder pair and the shortcuts as they are. An older
// record without its existing folder gets the folder itself, which keeps every folder on removal.
void Reinstalled()
{
    struct {
        const char* stored;  // InstDirExisted before the reinstallation; null: none
        const char* written;
    } const cases[] = {
        {"C:\\", "C:\\"},
        {0, "C:\\Program Files\\Тиктон"},
        {"", "C:\\Program Files\\Тиктон"},
        {"\\", "C:\\Program Files\\Тиктон"},
        {"D:\\", "C:\\Program Files\\Тиктон"},
    };
    const std::string link = std::string(ShortcutFolders[UserDesktopLocation].CStr()) + "\\Тиктон.lnk";
    for (const auto& c : cases) {
        const char* name = c.stored ? c.stored : "no InstDirExisted";
        CleanMachine();
        UseCabinet(KitCabinet);
        Install("C:\\Program Files\\Тиктон");
        HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, false);
        if (c.stored)
            WriteRegString(TString(c.stored), key, InstDirExistedValue);
        else
            RegDeleteValueA(key, InstDirExistedValue);
        WriteRegDword(key, InstVersionValue, 0x100);
        RegCloseKey(key);
        DeleteFileA(link.c_str());
        DeleteFileA("C:\\Program Files\\Тиктон\\Tikton.hlp");
        DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);

        ExpectBoxes(Install("C:\\Program Files\\Тиктон\\", false), InstallDone, name);
        CHECK_TEXT(EntryDetailsMismatch("C:\\Program Files\\Тиктон", UninstallerPath.CStr()).c_str(), "");
        CHECK_TEXT(Value(ProductKey, InstallDirValue).c_str(), "C:\\Program Files\\Тиктон\\");
        CHECK_TEXT(Value(ProductKey, InstDirExistedValue).c_str(), c.written);
        key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, false, true);
        DWORD version = 0;
        CHECK_CASE(ReadRegDword(key, InstVersionValue, version) && version == ProductVersion, name);
        RegCloseKey(key);
        CHECK_CASE(Exists("C:\\Program Files\\Тиктон\\Tikton.hlp"), name);
        CHECK_CASE(!Exists(link), name);
    }

    // A damaged archive on reinstallation leaves the installation exactly as it was, whichever file it
    // breaks in: the product's files, the uninstaller in the Windows folder, record and shortcuts.
    const char Folder[] = "C:\\Program Files\\Тиктон\\";
    const std::string product = Cabinets + "\\product.cab", whole = ReadBytes(product);
    const struct {
        const char* name;
        int file;  // the file the archive breaks in, counted from 1; 0: no archive at all
    } cuts[] = {{"reinstall, no archive", 0}, {"reinstall, cut inside the first file", 1},
                {"reinstall, cut inside the third file", 3}, {"reinstall, cut inside the uninstaller", 5}};
    const std::map<std::string, std::string> before = Installation(Folder);
    for (const auto& cut : cuts) {
        if (cut.file)
            UseCutCabinet(product, CutAfterFiles(whole, cut.file - 1, 1));
        else
            UseCabinet("");
        ExpectBoxes(Install(Folder, false), ExtractFailed, cut.name);
        CHECK_CASE(Exit == ExitArchiveFailed, cut.name);
        ExpectSame(before, Installation(Folder), cut.name);
        CHECK_CASE(!KeyExists(MovedAsideKey), cut.name);
    }

    // The whole archive: its files in place, no copy of the old ones left anywhere.
    UseCabinet(product);
    ExpectBoxes(Install(Folder, false), InstallDone, "reinstall from product.cab");
    const std::map<std::string, std::string> after = Installation(Folder);
    CHECK_EQ(after.size(), before.size());
    for (const auto& item : before)
        CHECK_CASE(after.count(item.first), item.first.c_str());
    CHECK_TEXT(ReadBytes(std::string(Folder) + "Tikton.cnt").c_str(), ReadBytes(Cabinets + "\\Tikton.cnt").c_str());
    CHECK(!KeyExists(MovedAsideKey));
}

DWORD ValueCount(const char* path)
{
    HKEY key = 0;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, &values, 0, 0, 0, 0);
    RegCloseKey(key);
    return values;
}

// A failed new installation takes back every file it wrote and the folders it made; the user's own
// files stay, and the product key is left without values.
void RolledBack()
{
    CreateDirectoryA("C:\\Roll", 0);
    HANDLE mine = CreateFileA("C:\\Roll\\mine.txt", GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(mine);

    std::string kit = KitCabinet;
    HANDLE file = CreateFileA(kit.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    DWORD size = GetFileSize(file, 0);
    CloseHandle(file);
    // The last cut leaves the four files before the uninstaller whole and the uninstaller in part.
    const DWORD afterFourth = CutAfterFiles(ReadBytes(kit), 4);
    const DWORD cuts[] = {0, 30, 100, size / 4, size / 2, size - 10, afterFourth};
    for (int i = -1; i < static_cast<int>(sizeof cuts / sizeof cuts[0]); ++i) {
        char name[48];
        snprintf(name, sizeof name, i < 0 ? "no archive" : "archive cut at %lu", i < 0 ? 0UL : cuts[i]);
        CleanMachine();
        if (i < 0)
            UseCabinet("");
        else
            UseCutCabinet(kit, cuts[i]);
        ExpectBoxes(Install("C:\\Roll\\A\\B"), ExtractFailed, name);
        CHECK_EQ(Exit, ExitArchiveFailed);
        for (const char* product : ProductFiles)
            CHECK_CASE(!Exists(std::string("C:\\Roll\\A\\B\\") + product), name);
        CHECK_CASE(!Exists(UninstallerPath.CStr()), name);
        CHECK_CASE(!Exists("C:\\Roll\\A"), name);
        CHECK_CASE(Exists("C:\\Roll\\mine.txt"), name);
        CHECK_CASE(ValueCount(ProductKey) == 0, name);
        CHECK_CASE(!Exists(std::string(ShortcutFolders[UserDesktopLocation].CStr()) + "\\Тиктон.lnk"), name);
        DeleteFileA("C:\\Roll\\A\\B\\Tikton.gid");
        RemoveDirectoryA("C:\\Roll\\A\\B");
        RemoveDirectoryA("C:\\Roll\\A");
    }

    // Into the user's own folder, which holds files of the product's names, and with an uninstaller in
    // the Windows folder: whatever the run overwrote before the archive broke is put back as it was.
    const struct {
        const char* name;
        DWORD cut;  // 0: no archive
    } broken[] = {{"user's folder, no archive", 0},
                  {"user's folder, cut inside the first file", CutAfterFiles(ReadBytes(kit), 0) + 100},
                  {"user's folder, cut inside the uninstaller", afterFourth}};
    for (const auto& run : broken) {
        CleanMachine();
        WriteBytes("C:\\Roll\\Tikton.exe", "the user's program");
        WriteBytes("C:\\Roll\\Tikton.hlp", "the user's help");
        WriteBytes(UninstallerPath.CStr(), "another uninstaller");
        const std::map<std::string, std::string> before = Installation("C:\\Roll\\");
        if (run.cut)
            UseCutCabinet(kit, run.cut);
        else
            UseCabinet("");
        ExpectBoxes(Install("C:\\Roll"), ExtractFailed, run.name);
        ExpectSame(before, Installation("C:\\Roll\\"), run.name);
        CHECK_CASE(!KeyExists(MovedAsideKey), run.name);
    }
    DeleteFileA("C:\\Roll\\Tikton.exe");
    DeleteFileA("C:\\Roll\\Tikton.hlp");

    // After a stopped installation, a run into the same folder that fails keeps the stopped run's note
    // while that run's files still hold the folders.
    CleanMachine();
    UseCabinet("");
    CreateDirectoryA("C:\\Stopped", 0);
    CreateDirectoryA("C:\\Stopped\\Inner", 0);
    WriteBytes("C:\\Stopped\\Inner\\Tikton.hlp", "left by the stopped run");
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    WriteRegString(TString("C:\\Stopped\\Inner"), key, PendingInstallDirValue);
    WriteRegString(TString("C:\\"), key, PendingInstDirExistedValue);
    RegCloseKey(key);
    ExpectBoxes(Install("C:\\Stopped\\Inner"), ExtractFailed, "after a stopped run");
    CHECK_EQ(Exit, ExitRollBackIncomplete);
    CHECK_TEXT(Value(ProductKey, PendingInstallDirValue).c_str(), "C:\\Stopped\\Inner");
    CHECK_TEXT(Value(ProductKey, PendingInstDirExistedValue).c_str(), "C:\\");
    CHECK_TEXT(Value(ProductKey, InstDirExistedValue).c_str(), "");

    // A folder that cannot be made: message 105, and the product key stays empty.
    CleanMachine();
    UseCabinet(kit);
    ExpectBoxes(Install("Q:\\Тиктон"), FolderFailed, "no such drive");
    CHECK_EQ(Exit, ExitFolderFailed);
    CHECK_EQ(ValueCount(ProductKey), 0);
    CHECK(!Exists(UninstallerPath.CStr()));
}
}

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    KitCabinet = driver::WindowsPath(argv[1]);
    const std::string which = argv[2];
    Cabinets = driver::WindowsPath(argv[3]);
    InitPlatformFlags(UseWithFreeSpace);
    Screen.Instance = GetModuleHandleA(0);
    CreateDirectoryA(Work, 0);
    SetCurrentDirectoryA(Work);
    ResolveLocations();
    if (which == "fresh")
        Fresh();
    else if (which == "folders")
        Folders();
    else if (which == "reinstall")
        Reinstalled();
    else if (which == "rollback")
        RolledBack();
    else
        check::Fail(__FILE__, __LINE__, "unknown case", which.c_str());
    return check::Finish(("engine " + which).c_str());
}
