// Cabinet extraction in-process: where each file lands, the progress the bar shows and the name
// the label shows, and every way an archive can be refused. argv[1] is the folder of test cabinets.
#include <windows.h>
#include <commctrl.h>
#include <setupapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "boxes.h"
#include "check.h"
#include "driver.h"
#include "extract.h"
#include "files.h"
#include "paths.h"
#include "resource.h"
#include "screen.h"
#include "state.h"
#include "texts.h"

namespace {
std::string Data;
const char Destination[] = "C:\\Extract\\";

// What the progress window was told, seen by hooks on this thread's messages; and what the label showed
// each time it was drawn, with the number of files written before.
std::vector<int> Positions;
std::vector<std::string> Drawn;
// The archive's names in order, when the test knows them; the label's paints that did not name the file
// begun last.
std::vector<std::string> Order;
std::vector<std::string> Mislabelled;
HHOOK Hooks[2];
// The extraction under test, whose progress window the hook knows by it.
TExtraction Extraction;

void Watch(HWND window, UINT message, WPARAM wParam)
{
    if (!Extraction.ProgressWindow || GetParent(window) != Extraction.ProgressWindow)
        return;
    if (message == PBM_SETPOS && GetDlgCtrlID(window) == IDC_COPY_BAR)
        Positions.push_back(static_cast<int>(wParam));
    if (message == WM_PAINT && GetDlgCtrlID(window) == IDC_COPY_FILE) {
        char text[64] = "";
        GetWindowTextA(window, text, sizeof text);
        Drawn.push_back(std::string(text) + " after " + std::to_string(Extraction.FilesExtracted));
        const DWORD begun = Extraction.BegunCount;
        if (!Order.empty() && text != (begun ? Order[begun - 1] : std::string()))
            Mislabelled.push_back(text);
    }
}

// Messages sent to the window, and paint messages the message loop takes for it.
LRESULT CALLBACK WatchSent(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT& sent = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION)
        Watch(sent.hwnd, sent.message, sent.wParam);
    return CallNextHookEx(Hooks[0], code, wParam, lParam);
}

LRESULT CALLBACK WatchTaken(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG& taken = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE)
        Watch(taken.hwnd, taken.message, taken.wParam);
    return CallNextHookEx(Hooks[1], code, wParam, lParam);
}

void EmptyFolder(const char* folder)
{
    WIN32_FIND_DATAA found;
    std::string pattern = std::string(folder) + "*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((std::string(folder) + found.cFileName).c_str());
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// Refresh intervals: every file takes longer than the interval, as on a slow machine, so the screen is
// brought up to date at every step; or the interval never passes, so only what is drawn at once is.
const DWORD Slow = 0;
const DWORD Never = INFINITE;

// One extraction from a clean state; returns its result and the texts of the boxes it showed. `order`:
// the archive's names, which the label is checked against whenever it is painted.
bool Extract(const std::string& cabinet, std::vector<std::string>* boxes = 0, std::vector<std::string> order = {},
             DWORD interval = ProgressRefreshInterval)
{
    Extraction.RefreshInterval = interval;
    EmptyFolder(Destination);
    DeleteFileA(UninstallerPath.CStr());
    Positions.clear();
    Drawn.clear();
    Order = order;
    Mislabelled.clear();
    TBoxAnswerer answerer;
    bool done = ExtractCabinet(0, cabinet.c_str(), TString(Destination), false, Extraction);
    std::vector<std::string> texts = answerer.Stop();
    if (boxes)
        *boxes = texts;
    else
        CHECK_CASE(texts.empty(), cabinet.c_str());
    return done;
}

void TestNames()
{
    struct {
        const char* name;
        bool plain;
    } const cases[] = {
        {"Tikton.exe", true}, {"sub\\Tikton.exe", true}, {"Тиктон.hlp", true}, {"con.txt.bak", false}, {"console.txt", true},
        {"COM10", true}, {"", false}, {"\\Tikton.exe", false}, {"C:\\Tikton.exe", false}, {"C:Tikton.exe", false},
        {"..\\Tikton.exe", false}, {"sub\\..\\..\\x", false}, {".\\Tikton.exe", false}, {"..", false},
        {"Tikton.exe:stream", false}, {"sub/Tikton.exe", false}, {"sub\\\\Tikton.exe", false},
        {"Tikton.", false}, {"Tikton.exe ", false}, {"sub\\", false}, {"CON", false}, {"nul.txt", false},
        {"Aux", false}, {"prn.exe", false}, {"COM1", false}, {"lpt9.log", false}, {"sub\\COM3.x", false},
        // Blanks before the extension are dropped, so these name devices too.
        {"NUL     .txt", false}, {"com1 .log", false}, {"CON.", false}, {"sub\\lpt2  .x", false}, {"Aux .", false},
        {"NUL x.txt", true}, {"con1 .txt", true},
    };
    for (const auto& c : cases)
        CHECK_CASE(IsPlainCabinetName(c.name) == c.plain, c.name);
    CHECK(!IsPlainCabinetName(0));

    CHECK_EQ(ProgressPosition(0, 0), 100);
    CHECK_EQ(ProgressPosition(300, 1000), 30);
    CHECK_EQ(ProgressPosition(999, 1000), 99);
    // 64 MB and more would overflow a 32-bit product.
    CHECK_EQ(ProgressPosition(67000000, 68000000), 98);
}

void TestPlacement()
{
    const std::string uninstaller = UninstallerPath.CStr();
    const std::vector<std::string> five = {"a.txt", "b.txt", "c.txt", "d.txt", "uninstaller.exe"};
    CHECK(Extract(Data + "five.cab", 0, five));
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        CHECK_CASE(Exists(std::string(Destination) + name), name);
    CHECK(!Exists(std::string(Destination) + "uninstaller.exe"));
    CHECK_EQ(ReadBytes(uninstaller).size(), 1234);
    CHECK(Mislabelled.empty());
    // Whenever the label is painted it names the file being written: its name in the archive, never its
    // target path. On a slow machine every file gets painted.
    CHECK(Extract(Data + "five.cab", 0, five, Slow));
    CHECK(Mislabelled.empty());
    for (const std::string& name : five)
        CHECK_CASE(std::find_if(Drawn.begin(), Drawn.end(),
                                [&](const std::string& drawn) { return drawn.find(name + " after") == 0; })
                       != Drawn.end(),
                   name.c_str());
    // A large file's name is drawn before it is copied, even right after a quick file.
    CHECK(Extract(Data + "quick-large.cab", 0, {"a.txt", "large.bin"}, Never));
    CHECK(std::find(Drawn.begin(), Drawn.end(), "large.bin after 1") != Drawn.end());
    CHECK(Mislabelled.empty());

    CHECK(Extract(Data + "three.cab"));
    CHECK(Exists(std::string(Destination) + "c.txt"));
    CHECK(!Exists(uninstaller));

    CHECK(Extract(Data + "seven.cab"));
    for (const char* name : {"a.txt", "d.txt", "f.txt", "g.txt"})
        CHECK_CASE(Exists(std::string(Destination) + name), name);
    CHECK(!Exists(std::string(Destination) + "uninstaller.exe"));
    CHECK(Exists(uninstaller));
}

void TestProgress()
{
    // The bar moves by bytes and ends full; on a slow machine it moves forwards at every file.
    CHECK(Extract(Data + "sizes.cab"));
    CHECK(!Positions.empty() && Positions.back() == 100);
    CHECK(Extract(Data + "sizes.cab", 0, {}, Slow));
    CHECK_EQ(Positions.size(), 3);
    const int expected[] = {30, 50, 100};
    for (size_t i = 0; i < Positions.size() && i < 3; ++i)
        CHECK_EQ(Positions[i], expected[i]);
    CHECK_EQ(Extraction.TotalBytes, 1000);
    CHECK_EQ(Extraction.BytesDone, 1000);

    // Files of no bytes at all: the bar simply shows everything done, once.
    CHECK(Extract(Data + "empty.cab"));
    CHECK_EQ(Positions.size(), 1);
    if (!Positions.empty())
        CHECK_EQ(Positions[0], 100);
}

std::string CopyCabinet(const std::string& from, const char* name)
{
    std::string to = std::string("C:\\") + name;
    CopyFileA(from.c_str(), to.c_str(), FALSE);
    return to;
}

void Truncate(const std::string& path, DWORD size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    SetFilePointer(file, static_cast<LONG>(size), 0, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

// Puts a name of the same length in place of a placeholder name inside the archive.
void Rename(const std::string& path, const std::string& placeholder, const std::string& name)
{
    std::string bytes = ReadBytes(path);
    size_t at = bytes.find(placeholder);
    CHECK_CASE(at != std::string::npos && name.size() == placeholder.size(), name.c_str());
    if (at == std::string::npos || name.size() != placeholder.size())
        return;
    bytes.replace(at, name.size(), name);
    WriteBytes(path, bytes);
}

void ExpectRefused(const std::string& cabinet, const char* what)
{
    std::vector<std::string> boxes;
    CHECK_CASE(!Extract(cabinet, &boxes), what);
    CHECK_CASE(boxes.size() == 1 && boxes[0] == ExtractFailed, what);
}

void TestRefusals()
{
    ExpectRefused(Data + "no-such.cab", "missing archive");
    CHECK(!Exists(std::string(Destination) + "a.txt"));

    std::string truncated = CopyCabinet(Data + "five.cab", "truncated.cab");
    Truncate(truncated, 600);
    ExpectRefused(truncated, "truncated archive");

    // Hostile names: nothing may be written outside the destination folder.
    CreateDirectoryA("C:\\Outside", 0);
    const char* const names[] = {
        "..\\Outside\\evil1.txt", "C:\\Outside\\evil2.txt", "C:Outside\\evil3.txt1", "\\Outside\\evil4.txt12",
        "sub/../../evil5.txtx", "AAAA.txt:hidden.txt1", "NUL.txt             ", "aaaaaaaaaaaaaaaaaaa.",
    };
    for (const char* name : names) {
        std::string cabinet = CopyCabinet(Data + "hostile.cab", "hostile-copy.cab");
        Rename(cabinet, "AAAAAAAAAAAAAAAA.txt", name);
        ExpectRefused(cabinet, name);
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\Outside\\*.txt*", &found);
    CHECK(search == INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    CHECK(!Exists("C:\\Outside\\evil4.txt12"));

    // A file the Setup API could not create or write is reported in the notice that it is done (Wine
    // always reports none): that fails the extraction, and an error-free notice does not.
    for (DWORD error : {static_cast<DWORD>(ERROR_SHARING_VIOLATION), static_cast<DWORD>(NO_ERROR)}) {
        Extraction.Clear();
        FILEPATHS_A paths = {};
        paths.Target = "C:\\Extract\\a.txt";
        paths.Win32Error = error;
        const UINT answer = ExtractionCallback(&Extraction, SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<UINT_PTR>(&paths), 0);
        CHECK_EQ(answer, error);
        CHECK_EQ(Extraction.Failed, error != NO_ERROR);
        CHECK_EQ(Extraction.FilesExtracted, error == NO_ERROR ? 1 : 0);
    }

    // A destination so long that the archive's names would not fit is refused, never cut.
    std::string deep = "C:\\" + std::string(240, 'd') + "\\";
    CreateDirectoryA(deep.c_str(), 0);
    TBoxAnswerer answerer;
    CHECK(!ExtractCabinet(0, (Data + "hostile.cab").c_str(), TString(deep.c_str()), false, Extraction));
    CHECK_EQ(answerer.Stop().size(), 1);
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    Data = driver::WindowsPath(argv[1]) + "\\";
    Screen.Instance = GetModuleHandleA(0);
    UninstallerPath.Assign("C:\\windows\\unTikton.exe");
    CreateDirectoryA(Destination, 0);
    Hooks[0] = SetWindowsHookExA(WH_CALLWNDPROC, WatchSent, 0, GetCurrentThreadId());
    Hooks[1] = SetWindowsHookExA(WH_GETMESSAGE, WatchTaken, 0, GetCurrentThreadId());
    TestNames();
    TestPlacement();
    TestProgress();
    TestRefusals();
    for (HHOOK hook : Hooks)
        UnhookWindowsHookEx(hook);
    return check::Finish("extract");
}
