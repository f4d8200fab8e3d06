// The window driver behind the end-to-end tests: everything goes through window messages, so it
// drives another process's windows exactly as it drives its own.
#include "driver.h"

#include <commctrl.h>

#include <vector>

namespace driver {

namespace {
struct TSearch {
    std::string className;
    std::string title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    TSearch& search = *reinterpret_cast<TSearch*>(parameter);
    if (!IsWindowVisible(window))
        return TRUE;
    if (!search.className.empty() && ClassName(window) != search.className)
        return TRUE;
    if (!search.title.empty() && Text(window) != search.title)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindTopLevel(const std::string& className, const std::string& title)
{
    TSearch search = {className, title, 0};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box is a dialog holding the static text control that message boxes use.
bool IsMessageBox(HWND window) { return GetDlgItem(window, MessageBoxTextId) != 0; }

struct TBoxSearch {
    std::string caption;
    HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM parameter)
{
    TBoxSearch& search = *reinterpret_cast<TBoxSearch*>(parameter);
    if (IsWindowVisible(window) && ClassName(window) == "#32770" && IsMessageBox(window)
        && Text(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}
}

TProgram::~TProgram()
{
    if (process) {
        if (Running())
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

bool TProgram::Start(const std::string& program, const std::string& arguments, const std::string& folder)
{
    std::string commandLine = "\"" + WindowsPath(program) + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string where = WindowsPath(folder);
    if (!CreateProcessA(0, buffer.data(), 0, 0, FALSE, 0, 0, where.empty() ? 0 : where.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    name = program;
    process = info.hProcess;
    id = info.dwProcessId;
    return true;
}

bool TProgram::WaitIdle(DWORD timeout) const
{
    return process && WaitForInputIdle(process, timeout) == 0;
}

bool TProgram::Running() const { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

namespace {
struct TProcessSearch {
    DWORD id;
    bool found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM parameter)
{
    TProcessSearch& search = *reinterpret_cast<TProcessSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search.found = owner == search.id && IsWindowVisible(window);
    return !search.found;
}
}

long TProgram::WaitUnseen(bool& shown, DWORD timeout)
{
    shown = false;
    // Polled every few milliseconds: even the copy window of a small archive is up for longer.
    WaitUntil([&] {
        TProcessSearch search = {id, false};
        EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
        shown = shown || search.found;
        return !Running();
    }, timeout);
    return Wait(0);
}

long TProgram::Wait(DWORD timeout)
{
    if (!process)
        return -1;
    if (WaitForSingleObject(process, timeout) != WAIT_OBJECT_0) {
        if (timeout)
            GaveUp("the end of " + name + " (killed now)", timeout);
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}

std::string Text(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    std::vector<char> buffer(length + 1);
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(buffer.data(), copied < buffer.size() ? copied : 0);
}

std::string Text(HWND dialog, int control) { return Text(GetDlgItem(dialog, control)); }

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND WaitWindow(const std::string& className, const std::string& title, DWORD timeout)
{
    HWND found = 0;
    if (!WaitUntil([&] { return (found = FindTopLevel(className, title)) != 0; }, timeout))
        GaveUp("a window of class \"" + className + "\" titled \"" + title + "\"", timeout);
    return found;
}

bool WaitGone(HWND window, DWORD timeout)
{
    if (WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout))
        return true;
    GaveUp("the window \"" + Text(window) + "\" to close", timeout);
    return false;
}

bool WaitGone(const std::string& className, const std::string& title, DWORD timeout)
{
    if (WaitUntil([&] { return FindTopLevel(className, title) == 0; }, timeout))
        return true;
    GaveUp("the window of class \"" + className + "\" titled \"" + title + "\" to close", timeout);
    return false;
}

void GaveUp(const std::string& what, DWORD timeout)
{
    printf("gave up after %lu ms waiting for %s\n", static_cast<unsigned long>(timeout), what.c_str());
}

HWND WaitWizard(const std::string& pageCaption, DWORD timeout)
{
    HWND found = 0;
    WaitUntil(
        [&] {
            found = FindTopLevel("#32770", pageCaption);
            return found && !IsMessageBox(found) && CurrentPage(found);
        },
        timeout);
    if (!found || IsMessageBox(found) || !CurrentPage(found)) {
        GaveUp("the wizard page \"" + pageCaption + "\"", timeout);
        return 0;
    }
    return found;
}

HWND CurrentPage(HWND sheet)
{
    DWORD_PTR page = 0;
    SendMessageTimeoutA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, 5000, &page);
    return reinterpret_cast<HWND>(page);
}

void PressWizardButton(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

HWND WizardButton(HWND sheet, int button)
{
    // The sheet's own button identifiers for Back, Next, Finish and Cancel.
    int id = 0;
    switch (button) {
    case PSBTN_BACK: id = 0x3023; break;
    case PSBTN_NEXT: id = 0x3024; break;
    case PSBTN_FINISH: id = 0x3025; break;
    case PSBTN_CANCEL: id = IDCANCEL; break;
    default: return 0;
    }
    return GetDlgItem(sheet, id);
}

bool WizardButtonEnabled(HWND sheet, int button)
{
    HWND control = WizardButton(sheet, button);
    return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

std::string ListItem(HWND list, int index)
{
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return std::string();
    std::vector<WCHAR> wide(length + 1);
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    std::vector<char> text((length + 1) * 2);
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), static_cast<int>(text.size()), 0, 0);
    return text.data();
}

bool Checked(HWND dialog, int control)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, control), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE; }

void Click(HWND dialog, int control)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(GetDlgItem(dialog, control), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void ClickLater(HWND dialog, int control) { PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0); }

void Type(HWND dialog, int control, const std::string& text)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(GetDlgItem(dialog, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
}

HWND FindMessageBox(const std::string& caption)
{
    TBoxSearch search = {caption, 0};
    EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AnswerMessageBox(const std::string& caption, int button, std::string* text, DWORD timeout)
{
    HWND box = 0;
    if (!WaitUntil([&] { return (box = FindMessageBox(caption)) != 0; }, timeout)) {
        GaveUp("a message box titled \"" + caption + "\"", timeout);
        return false;
    }
    if (text)
        *text = Text(box, MessageBoxTextId);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitGone(box, timeout);
}

LRESULT SendText(HWND window, UINT message, WPARAM wParam, const std::string& text)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return 0;
    void* remote = VirtualAllocEx(process, 0, text.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    LRESULT result = 0;
    if (remote && WriteProcessMemory(process, remote, text.c_str(), text.size() + 1, 0))
        result = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

}  // namespace driver
