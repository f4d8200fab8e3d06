// unTikton end to end, after a real installation by the kit: the record checks at start-up, a complete
// removal, removals that leave something behind with the list of what and why, shortcut maintenance,
// and removals repeated while the user clicks at the wizard. argv: Install.exe of the kit, Tikton.exe,
// screenshot folder, case.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "files.h"
#include "install_ids.h"
#include "machine.h"
#include "record.h"
#include "platform.h"
#include "registry.h"
#include "shortcut.h"
#include "texts.h"
#include "uninstall_ids.h"

using namespace uninstall_ids;

namespace {
std::string KitInstall, Application, Shots;
const char Folder[] = "C:\\Program Files\\Тиктон";
const char Uninstaller[] = "C:\\windows\\unTikton.exe";
const char DeleteMe[] = "C:\\windows\\DeleteMe.com";
const char DeleteScript[] = "C:\\windows\\DeleteMe.cmd";
// DOSBox, or the command interpreter, starts, waits for the uninstaller to end and deletes: well within this.
const DWORD SelfRemovalTimeout = 60000;
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

std::string ShellFolder(HKEY hive, const char* value)
{
    TString folder;
    ReadRegStringAt(folder, hive, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", value);
    return folder.CStr();
}

std::string Link(HKEY hive, const char* value) { return ShellFolder(hive, value) + "\\Тиктон.lnk"; }
std::string QuickLaunchLink()
{
    return ShellFolder(HKEY_CURRENT_USER, "AppData") + "\\Microsoft\\Internet Explorer\\Quick Launch\\Тиктон.lnk";
}

// A screenshot of what the test has just checked, once `shown` has painted it.
void Shot(HWND shown, const char* name)
{
    if (!Shots.empty())
        CHECK_CASE(driver::Screenshot(Shots + "/uninstall-" + name + ".png", shown), name);
}

// A newcomer's installation from the kit: default folder, the shortcuts offered, the user's desktop too.
// The shortcut boxes as a new installation leaves them: the Programs menu ticked (all-users on the NT
// family, where the user's box is locked), Quick Launch where the system has it, and the user's desktop
// when setup ticked it.
void CheckShortcutBoxes(HWND page, bool desktopTicked, const char* what)
{
    struct {
        int box;
        bool checked, enabled;
    } const boxes[] = {{IDC_COMMON_DESKTOP, false, IsWinNT},
                       {IDC_COMMON_PROGRAMS, IsWinNT, IsWinNT},
                       {IDC_COMMON_START_MENU, false, IsWinNT},
                       {IDC_USER_DESKTOP, desktopTicked, true},
                       {IDC_USER_PROGRAMS, !IsWinNT, !IsWinNT},
                       {IDC_USER_START_MENU, false, true},
                       {IDC_QUICK_LAUNCH, QuickLaunchSupported, QuickLaunchSupported}};
    for (const auto& box : boxes) {
        char name[48];
        snprintf(name, sizeof name, "%s, box %d", what, box.box);
        CHECK_CASE(driver::Checked(page, box.box) == box.checked, name);
        CHECK_CASE(driver::Enabled(page, box.box) == box.enabled, name);
    }
}

// With `everyBox`, every box the system offers is ticked: all-users ones where it has them, otherwise
// the user's (the two of a place cannot both be ticked). A folder given is typed in place of the offered one.
bool InstallWithKit(bool everyBox = false, const std::string& folder = "")
{
    driver::TProgram install;
    CHECK(install.Start(KitInstall, "", KitInstall.substr(0, KitInstall.find_last_of('/'))));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    if (!sheet)
        return false;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    driver::WaitWizard("Выбор папки");
    if (!folder.empty()) {
        HWND page = driver::CurrentPage(sheet);
        driver::Type(page, GetDlgCtrlID(FindWindowExA(page, 0, "Edit", 0)), folder);
    }
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    driver::WaitWizard("Интерфейс");
    HWND page = driver::CurrentPage(sheet);
    if (everyBox) {
        CheckShortcutBoxes(page, false, "first view");
        for (int box : {IDC_COMMON_DESKTOP, IDC_COMMON_PROGRAMS, IDC_COMMON_START_MENU, IDC_USER_DESKTOP,
                        IDC_USER_PROGRAMS, IDC_USER_START_MENU, IDC_QUICK_LAUNCH})
            if (driver::Enabled(page, box) && !driver::Checked(page, box))
                driver::Click(page, box);
    } else {
        driver::Click(page, IDC_USER_DESKTOP);
    }
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    std::string text;
    CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
    return install.Wait() == 1 && Exists(Uninstaller);
}

// Welcome, then the action page; the uninstaller's sheet.
HWND ToAction(driver::TProgram& uninstaller)
{
    CHECK(uninstaller.Start(Uninstaller));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (!sheet)
        return 0;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Выбор действия") == sheet);
    return sheet;
}

// Chooses removal and waits for the worker to open a way out; true when that was Close.
bool RemoveAll(HWND sheet)
{
    HWND action = driver::CurrentPage(sheet);
    CHECK(driver::Checked(action, IDC_CHANGE_INTERFACE));
    driver::Click(action, IDC_REMOVE_ALL);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Удаление файлов") == sheet);
    HWND page = driver::CurrentPage(sheet);
    // The heading changes before the way out opens.
    CHECK(driver::WaitUntil([&] {
        return driver::Text(page, IDC_HEADING) == RemovalHeading
            && (driver::WizardButtonEnabled(sheet, PSBTN_CANCEL) || driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    }));
    CHECK(driver::CurrentPage(sheet) == page);
    const int marks[] = {IDC_REGISTRY_MARK, IDC_FILES_MARK, IDC_FOLDER_MARK};
    for (int mark : marks)
        CHECK_CASE(SendDlgItemMessageA(page, mark, STM_GETIMAGE, IMAGE_ICON, 0) != 0, "stage mark");
    CHECK_TEXT(driver::Text(page, IDC_HEADING).c_str(), RemovalHeading);
    CHECK(IsWindowVisible(GetDlgItem(page, IDC_RESULT)));
    CHECK_TEXT(driver::Text(sheet, IDCANCEL).c_str(), "Закрыть");
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_BACK));
    Shot(sheet, "progress");
    return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL);
}

void CheckRecordGone()
{
    CHECK(!KeyExists(ProductKey));
    CHECK(KeyExists("Software\\Vantorel"));
    CHECK(!KeyExists(UninstallKey));
    CHECK(!KeyExists(AppPathKey));
    CHECK(KeyExists(HelpKey));
    TString help;
    CHECK(!ReadRegStringAt(help, HKEY_LOCAL_MACHINE, HelpKey, HelpFileValue));
}

void Complete()
{
    CHECK(InstallWithKit());
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    Shot(sheet, "action");
    CHECK(RemoveAll(sheet));
    HWND page = driver::CurrentPage(sheet);
    CHECK_TEXT(driver::Text(page, IDC_RESULT).c_str(), NothingLeftResult);
    CHECK(!driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    // Once the uninstaller has exited, its deletion program or script removes it, then itself.
    CHECK(driver::WaitUntil([] { return !Exists(Uninstaller) && !Exists(DeleteMe) && !Exists(DeleteScript); },
                            SelfRemovalTimeout));
    CheckRecordGone();
    CHECK(!Exists(Folder));
    CHECK(Exists("C:\\Program Files"));
    for (const std::string& link : {Link(HKEY_LOCAL_MACHINE, "Common Programs"), Link(HKEY_CURRENT_USER, "Desktop"),
                                    QuickLaunchLink()})
        CHECK_CASE(!Exists(link), link.c_str());
}

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The width of the widest of the lines in the list page's list box: the page is made here from the
// uninstaller's own template, so that its list box has the font it has there.
LONG WidestListLine(const std::vector<std::string>& lines)
{
    HMODULE program = LoadLibraryExA(Uninstaller, 0, LOAD_LIBRARY_AS_DATAFILE);
    HWND page = CreateDialogParamA(program, MAKEINTRESOURCEA(IDD_NOT_REMOVED), 0, Inert, 0);
    HWND list = GetDlgItem(page, IDC_NOT_REMOVED_LIST);
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string& line : lines) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widest = std::max(widest, size.cx);
    }
    ReleaseDC(list, dc);
    DestroyWindow(page);
    FreeLibrary(program);
    return widest;
}

// What was left behind, listed with the system's description of each error. The installation folder
// has a name longer than the list is wide: the list scrolls far enough to show all of it.
void LeftBehind()
{
    const std::string folder = std::string(Folder) + " в папке с таким длинным именем что строка списка его не вмещает";
    CHECK(InstallWithKit(false, folder));
    const std::string mine = folder + "\\мой файл.txt";
    HANDLE file = CreateFileA(mine.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(file);
    // The desktop may still be reading the new shortcut's icon out of Tikton.exe: hold it once that is done.
    HANDLE locked = INVALID_HANDLE_VALUE;
    CHECK(driver::WaitUntil([&] {
        locked = CreateFileA((folder + "\\Tikton.exe").c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
        return locked != INVALID_HANDLE_VALUE;
    }));

    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    CHECK(!RemoveAll(sheet));
    CHECK(driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    CHECK_TEXT(driver::Text(driver::CurrentPage(sheet), IDC_RESULT).c_str(),
               "Некоторые элементы не удалось удалить. Нажмите кнопку Далее, чтобы просмотреть список неудаленных элементов.");
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Список неудаленных элементов") == sheet);
    HWND page = driver::CurrentPage(sheet);
    CHECK(driver::WaitUntil([&] { return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL); }));
    HWND list = GetDlgItem(page, IDC_NOT_REMOVED_LIST);
    CHECK_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    struct {
        const char* item;
        DWORD error;
    } const expected[] = {{"Tikton.exe", ERROR_SHARING_VIOLATION}, {folder.c_str(), ERROR_DIR_NOT_EMPTY}};
    for (int i = 0; i < 2; ++i) {
        CHECK_TEXT(driver::ListItem(list, i).c_str(), expected[i].item);
        // Selecting a line shows its own error.
        SendMessageA(list, LB_SETCURSEL, i, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NOT_REMOVED_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        CHECK_TEXT(driver::Text(page, IDC_ERROR_TEXT).c_str(), SystemErrorText(expected[i].error).CStr());
    }
    const LONG widest = WidestListLine({expected[0].item, expected[1].item});
    RECT box;
    GetClientRect(list, &box);
    CHECK(widest > box.right);
    const LRESULT extent = SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
    CHECK(extent >= widest && extent < 2 * widest);
    Shot(sheet, "not-removed");
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    CloseHandle(locked);
    CHECK(Exists(mine));
    CHECK(Exists(folder + "\\Tikton.exe"));
    CHECK(!Exists(folder + "\\Tikton.hlp"));
    CheckRecordGone();
}

void Shortcuts()
{
    CHECK(InstallWithKit());
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Интерфейс") == sheet);
    HWND page = driver::CurrentPage(sheet);
    // Preset from the link files setup made: on the NT family the all-users Programs menu, elsewhere the
    // user's; the user's desktop, ticked at setup; Quick Launch where the system has it.
    const bool nt = IsWinNT;
    const bool quickLaunch = QuickLaunchSupported;
    CheckShortcutBoxes(page, true, "preset");
    Shot(sheet, "shortcuts");
    if (nt) {
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(!driver::Checked(page, IDC_USER_DESKTOP) && !driver::Enabled(page, IDC_USER_DESKTOP));
        driver::Click(page, IDC_COMMON_DESKTOP);
        CHECK(driver::Checked(page, IDC_USER_DESKTOP) && driver::Enabled(page, IDC_USER_DESKTOP));
    }
    if (quickLaunch)
        driver::Click(page, IDC_QUICK_LAUNCH);
    driver::Click(page, IDC_USER_START_MENU);
    // Back and forth keeps the ticks.
    driver::PressWizardButton(sheet, PSBTN_BACK);
    CHECK(driver::WaitWizard("Выбор действия") == sheet);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Интерфейс") == sheet);
    CHECK(driver::Checked(page, IDC_USER_START_MENU) && !driver::Checked(page, IDC_QUICK_LAUNCH));
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(Exists(Link(nt ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, nt ? "Common Programs" : "Programs")));
    CHECK(Exists(Link(HKEY_CURRENT_USER, "Desktop")));
    CHECK(Exists(Link(HKEY_CURRENT_USER, "Start Menu")));
    CHECK(!Exists(QuickLaunchLink()));
    CHECK(KeyExists(ProductKey));
    CHECK(Exists(std::string(Folder) + "\\Tikton.exe"));
    // Changing the shortcuts is no removal: the uninstaller stays and writes no deletion program.
    CHECK(Exists(Uninstaller));
    CHECK(!Exists(DeleteMe));
    CHECK(!Exists(DeleteScript));
}

// Faults during removal: a read-only product file, a folder of the user's in the installation folder,
// and a file the user writes there while the worker runs. Nothing of the user's goes; what stays is listed.
void Faults()
{
    CHECK(InstallWithKit());
    const std::string hlp = std::string(Folder) + "\\Tikton.hlp";
    SetFileAttributesA(hlp.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string mine = std::string(Folder) + "\\Мои заметки";
    CreateDirectoryA(mine.c_str(), 0);
    driver::TProgram uninstaller;
    HWND sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    driver::Click(driver::CurrentPage(sheet), IDC_REMOVE_ALL);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    // Written while the worker runs, or after it, whichever comes first.
    const std::string late = mine + "\\записка.txt";
    HANDLE file = CreateFileA(late.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(file);
    CHECK(driver::WaitWizard("Удаление файлов") == sheet);
    CHECK(driver::WaitUntil([&] { return driver::WizardButtonEnabled(sheet, PSBTN_NEXT); }));
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Список неудаленных элементов") == sheet);
    HWND list = GetDlgItem(driver::CurrentPage(sheet), IDC_NOT_REMOVED_LIST);
    CHECK_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    CHECK_TEXT(driver::ListItem(list, 0).c_str(), "Tikton.hlp");
    CHECK_TEXT(driver::ListItem(list, 1).c_str(), Folder);
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(Exists(late));
    CHECK(Exists(hlp));
    CHECK(!Exists(std::string(Folder) + "\\Tikton.exe"));
}

// Self-removal from a read-only file with a leftover deletion program, from folders whose names have
// blanks and Cyrillic letters, from a file another program holds open for a while, where the deletion
// program cannot be written, and where the command interpreter is missing.
void SelfRemoval()
{
    const char DeepFolder[] = "C:\\deep\\level01\\level02\\level03\\level04\\level05\\level06\\level07";
    struct {
        const char* name;
        const char* folder;  // where the uninstaller runs from
        bool readOnly, leftover, blocked;
        DWORD lockedFor;     // milliseconds another program holds the file after the uninstaller exits
        bool noInterpreter;
    } const cases[] = {
        {"read-only, with a leftover DeleteMe.com", "C:\\windows", true, true, false, 0, false},
        {"folder with blanks", "C:\\Program Files\\Setup Tools", false, false, false, 0, false},
        {"Cyrillic folder with blanks", "C:\\Program Files\\Удаление Тиктона", false, false, false, 0, false},
        {"held open for a while", "C:\\windows", false, false, false, 5000, false},
        {"short path longer than DOS takes", DeepFolder, false, false, false, 0, false},
        {"DeleteMe.com cannot be written", "C:\\windows", false, false, true, 0, false},
        {"no command interpreter, and DOS cannot be given the path", DeepFolder, false, false, false, 0, true},
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

        driver::TProgram program;
        CHECK(program.Start(uninstaller));
        SetEnvironmentVariableA("COMSPEC", interpreter);
        HANDLE lock = c.lockedFor ? CreateFileA(uninstaller.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0)
                                  : INVALID_HANDLE_VALUE;
        CHECK_CASE(!c.lockedFor || lock != INVALID_HANDLE_VALUE, c.name);
        HWND sheet = driver::WaitWizard("Добро пожаловать");
        CHECK(sheet != 0);
        if (!sheet)
            return;
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        CHECK(driver::WaitWizard("Выбор действия") == sheet);
        CHECK(RemoveAll(sheet));
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
        if (c.blocked) {
            EXPECT_UNINSTALL_BOX("Не удалось создать файл для записи программы DeleteMe.com, поэтому следует вручную "
                                 "удалить исполнимый модуль программы удаления:\r\n" + uninstaller + ".", IDOK);
            CHECK_EQ(program.Wait(), 0);
            CHECK(Exists(uninstaller));
            RemoveDirectoryA(deleteMe.c_str());
        } else if (c.noInterpreter) {
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
            CHECK_CASE(driver::WaitUntil([&] { return !Exists(uninstaller) && !Exists(deleteMe) && !Exists(script); },
                                         SelfRemovalTimeout),
                       c.name);
        }
        DeleteFileA(Uninstaller);
    }
}

void StartupChecks()
{
    CHECK(InstallWithKit());
    const char notInstalled[] =
        "Тиктон не установлен на данный компьютер или его установка повреждена.\n\nУдаление Тиктона невозможно.";
    const char badlyInstalled[] = "Тиктон неверно установлен. Его удаление невозможно.";
    const char* dir = "C:\\Program Files\\Тиктон\\";
    const char* existed = "C:\\Program Files\\";
    struct {
        const char* name;
        bool key;
        const char *installDir, *existedDir;
        DWORD type, version;
        const char* message;
    } const cases[] = {
        {"no product key", false, 0, 0, REG_NONE, 0, notInstalled},
        {"no InstDirExisted, wrong version", true, dir, 0, REG_DWORD, 0x33F, badlyInstalled},
        {"empty InstDirExisted", true, dir, "", REG_DWORD, 0x340, badlyInstalled},
        {"version 0x33F", true, dir, existed, REG_DWORD, 0x33F, OtherVersion},
        {"version 0x341", true, dir, existed, REG_DWORD, 0x341, OtherVersion},
        {"version as text", true, dir, existed, REG_SZ, 0, OtherVersion},
        {"no InstallDir, no version", true, 0, existed, REG_NONE, 0, OtherVersion},
        {"empty InstallDir", true, "", existed, REG_DWORD, 0x340, notInstalled},
    };
    for (const auto& c : cases) {
        printf("case: %s\n", c.name);
        if (c.key)
            SetProductKey(c.installDir, c.existedDir, c.type, c.version);
        else
            DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(c.message, IDOK);
        CHECK_EQ(uninstaller.Wait(), 255);
    }

    SetProductKey(dir, existed, REG_DWORD, 0x340);
    {
        driver::TProgram app;
        app.Start(Application);
        CHECK(driver::WaitWindow("TTiktonForm", "") != 0);
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(AppRunning, IDNO);
        CHECK_EQ(uninstaller.Wait(), 255);
        CHECK(app.Running());
    }
    {
        driver::TProgram first, second;
        first.Start(Application);
        second.Start(Application);
        CHECK(driver::WaitUntil([] {
            HWND one = FindWindowA("TTiktonForm", 0);
            return one && FindWindowExA(0, one, "TTiktonForm", 0);
        }));
        driver::TProgram uninstaller;
        uninstaller.Start(Uninstaller);
        EXPECT_UNINSTALL_BOX(AppRunning, IDYES);
        // Cancel on the welcome page changes nothing and leaves the uninstaller on disk.
        HWND sheet = driver::WaitWizard("Добро пожаловать");
        CHECK(sheet != 0);
        Shot(sheet, "welcome");
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
        CHECK_EQ(uninstaller.Wait(), 0);
        CHECK_EQ(first.Wait(), 0);
        CHECK_EQ(second.Wait(), 0);
        CHECK(KeyExists(ProductKey));
        CHECK(Exists(Uninstaller));
    }
}

// The whole life cycle on the Windows version Wine reports: installation with every box the system
// offers, a reinstallation, a change of shortcuts handed from setup to the uninstaller, a complete
// removal and self-deletion. Leaves a row for the matrix table in argv[3]/matrix-VERSION.md.
void LifeCycle(const std::string& version)
{
    CHECK(InstallWithKit(true));
    const TShortcutLocation all[] = {CommonDesktopLocation, CommonProgramsLocation, CommonStartMenuLocation,
                                     UserDesktopLocation,   UserProgramsLocation,   UserStartMenuLocation,
                                     QuickLaunchLocation};
    const char* const names[] = {"all-users desktop", "all-users Programs", "all-users Start menu", "desktop",
                                 "Programs", "Start menu", "Quick Launch"};
    std::string made;
    for (int i = 0; i < 7; ++i) {
        const bool common = i < 3;
        const bool expected = all[i] == QuickLaunchLocation ? QuickLaunchSupported : common == IsWinNT;
        const std::string link = LinkPathIn(ReadShortcutFolder(all[i]), "Тиктон.lnk").CStr();
        CHECK_CASE(!link.empty() || !ShortcutLocationExists(all[i]), names[i]);
        CHECK_CASE(Exists(link) == expected, names[i]);
        if (Exists(link))
            made += std::string(made.empty() ? "" : ", ") + names[i];
    }
    // The record and the files are the same on every system.
    TString value;
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue)
          && strcmp(value.CStr(), "C:\\Program Files\\Тиктон\\") == 0);
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, ProductKey, InstDirExistedValue)
          && strcmp(value.CStr(), "C:\\Program Files\\") == 0);
    CHECK(ReadRegStringAt(value, HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue)
          && strcmp(value.CStr(), Uninstaller) == 0);
    CHECK(Exists(std::string(Folder) + "\\Tikton.exe"));

    // Setup again: reinstall, then change the shortcuts through the uninstaller it hands over to.
    for (int choice : {install_ids::IDC_REINSTALL, install_ids::IDC_CHANGE_INTERFACE}) {
        driver::TProgram install;
        CHECK(install.Start(KitInstall, "", KitInstall.substr(0, KitInstall.find_last_of('/'))));
        HWND sheet = driver::WaitWizard("Добро пожаловать");
        if (!sheet)
            return;
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        CHECK(driver::WaitWizard("Выбор действия") == sheet);
        driver::Click(driver::CurrentPage(sheet), choice);
        driver::PressWizardButton(sheet, PSBTN_FINISH);
        if (choice == install_ids::IDC_REINSTALL) {
            std::string text;
            CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
            CHECK_TEXT(text.c_str(), InstallDone);
        }
        CHECK_EQ(install.Wait(), 1);
    }
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (!sheet)
        return;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Выбор действия") == sheet);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK(driver::WaitWizard("Интерфейс") == sheet);
    const int desktopBox = IsWinNT ? IDC_COMMON_DESKTOP : IDC_USER_DESKTOP;
    CHECK(driver::Checked(driver::CurrentPage(sheet), desktopBox));
    driver::Click(driver::CurrentPage(sheet), desktopBox);
    driver::PressWizardButton(sheet, PSBTN_FINISH);
    CHECK(driver::WaitGone(sheet));
    const std::string desktop = LinkPathIn(ReadShortcutFolder(IsWinNT ? CommonDesktopLocation : UserDesktopLocation),
                                           "Тиктон.lnk").CStr();
    CHECK(driver::WaitUntil([&] { return !Exists(desktop); }));

    // Removal and self-deletion.
    driver::TProgram uninstaller;
    sheet = ToAction(uninstaller);
    if (!sheet)
        return;
    CHECK(RemoveAll(sheet));
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(driver::WaitUntil([] { return !Exists(Uninstaller) && !Exists(DeleteMe) && !Exists(DeleteScript); },
                                SelfRemovalTimeout));
    CheckRecordGone();
    CHECK(!Exists(Folder));
    for (int i = 0; i < 7; ++i)
        CHECK_CASE(!Exists(LinkPathIn(ReadShortcutFolder(all[i]), "Тиктон.lnk").CStr()), names[i]);

    if (!Shots.empty()) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        GetVersionExA(&info);
        char row[512];
        snprintf(row, sizeof row, "| %s | %s %lu.%lu | %s | %s | %s |\n", version.c_str(),
                 IsWinNT ? "NT" : "9x", info.dwMajorVersion, info.dwMinorVersion, made.c_str(),
                 GetDiskFreeSpaceExFunc ? "GetDiskFreeSpaceExA" : "GetDiskFreeSpaceA",
                 check::Failures() ? "failed" : "passed");
        HANDLE file = CreateFileA(driver::WindowsPath(Shots + "/matrix-" + version + ".md").c_str(), GENERIC_WRITE,
                                  0, 0, CREATE_ALWAYS, 0, 0);
        DWORD written;
        WriteFile(file, row, static_cast<DWORD>(strlen(row)), &written, 0);
        CloseHandle(file);
    }
}

// The worker and the wizard: removals while the user presses Escape, the close command and the
// disabled buttons at every moment. Whenever the wizard closes, the removal has run to its end. The
// wizard shows the action page until it acts on Next, then the progress page, and the list only after
// a removal that left something behind (a file of the user's, in the first round); it never turns back.
void Repeated()
{
    for (int round = 0; round < 5; ++round) {
        printf("round %d\n", round);
        const bool leftBehind = round == 0;
        CHECK(InstallWithKit());
        const std::string mine = std::string(Folder) + "\\мой файл.txt";
        if (leftBehind)
            CloseHandle(CreateFileA(mine.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
        driver::TProgram uninstaller;
        HWND sheet = ToAction(uninstaller);
        if (!sheet)
            return;
        driver::Click(driver::CurrentPage(sheet), IDC_REMOVE_ALL);
        std::vector<std::string> order = {"Выбор действия", "Удаление файлов"};
        if (leftBehind)
            order.push_back("Список неудаленных элементов");
        size_t reached = 0;
        std::string strayed;
        // What can change the page is sent and waited for, so that every page it leads to is seen.
        auto press = [&](HWND target, UINT message, WPARAM wParam) {
            SendMessageTimeoutA(target, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, 0);
            const std::string page = driver::Text(sheet);
            const size_t at = std::find(order.begin(), order.end(), page) - order.begin();
            if (page.empty())
                return;
            if (at == order.size() || at < reached)
                strayed = strayed.empty() ? page : strayed;
            else
                reached = at;
        };
        press(sheet, PSM_PRESSBUTTON, PSBTN_NEXT);
        for (int i = 0; i < 400 && uninstaller.Running(); ++i) {
            // In the first round the list, once reached, must stay open until Back has been tried there.
            if (!leftBehind) {
                PostMessageA(sheet, WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                PostMessageA(GetDlgItem(sheet, IDCANCEL), BM_CLICK, 0, 0);
                driver::PressWizardButton(sheet, PSBTN_CANCEL);
            }
            press(driver::WizardButton(sheet, PSBTN_BACK), BM_CLICK, 0);
            press(sheet, PSM_PRESSBUTTON, PSBTN_BACK);
            press(sheet, PSM_PRESSBUTTON, PSBTN_NEXT);
            press(sheet, PSM_PRESSBUTTON, PSBTN_FINISH);
            Sleep(round);
        }
        if (uninstaller.Running())
            driver::PressWizardButton(sheet, PSBTN_CANCEL);
        CHECK_EQ(uninstaller.Wait(), 0);
        CHECK_TEXT(strayed.c_str(), "");
        // The next round's uninstaller must not be taken by this round's deletion program.
        CHECK(driver::WaitUntil([] { return !Exists(Uninstaller) && !Exists(DeleteMe) && !Exists(DeleteScript); },
                                SelfRemovalTimeout));
        CheckRecordGone();
        CHECK(Exists(Folder) == leftBehind);
        CHECK(!Exists(std::string(Folder) + "\\Tikton.exe"));
        CHECK(!Exists(Link(HKEY_CURRENT_USER, "Desktop")));
        if (leftBehind) {
            CHECK(Exists(mine));
            DeleteFileA(mine.c_str());
            RemoveDirectoryA(Folder);
        }
    }
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

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    KitInstall = argv[1];
    Application = argv[2];
    Shots = strcmp(argv[3], "-") ? argv[3] : "";
    const std::string which = argv[4];
    InitPlatformFlags(UseWithFreeSpace);
    if (which == "dos-start")
        return DosStart();
    if (which == "complete")
        Complete();
    else if (which == "left-behind")
        LeftBehind();
    else if (which == "shortcuts")
        Shortcuts();
    else if (which == "startup")
        StartupChecks();
    else if (which == "faults")
        Faults();
    else if (which == "self-removal")
        SelfRemoval();
    else if (which.compare(0, 10, "lifecycle-") == 0)
        LifeCycle(which.substr(10));
    else if (which == "repeated")
        Repeated();
    else
        check::Fail(__FILE__, __LINE__, "unknown case", which.c_str());
    return check::Finish(("uninstall " + which).c_str());
}
