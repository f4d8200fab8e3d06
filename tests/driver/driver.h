// A driver for the setup programs' windows: starts a program, finds its windows, reads their texts,
// presses wizard buttons, ticks boxes, types, answers message boxes, and takes screenshots.
// It works on the windows of another process as well as on those of its own (from a second thread).
// Every wait polls with a bound, well below the suite's timeout, and says what it was waiting for when
// it gives up; nothing sleeps for a fixed time.
#ifndef TESTS_DRIVER_H
#define TESTS_DRIVER_H

#include <windows.h>

#include <string>

namespace driver {

const DWORD DefaultTimeout = 15000;

// A started program.
class TProgram {
public:
    TProgram() : process(0), id(0) {}
    ~TProgram();
    // The program path may be a Unix path; it is turned into one Wine understands.
    bool Start(const std::string& program, const std::string& arguments = "", const std::string& folder = "");
    // The exit code, or -1 when the program did not end in time (it is then killed).
    long Wait(DWORD timeout = DefaultTimeout);
    DWORD Id() const { return id; }
    // Waits until the program has handled everything queued for it (painting included).
    bool WaitIdle(DWORD timeout = DefaultTimeout) const;
    bool Running() const;
    // Waits for the exit code as Wait does, watching all the while for a visible top-level window of
    // the program; `shown` tells whether one came.
    long WaitUnseen(bool& shown, DWORD timeout = DefaultTimeout);

private:
    HANDLE process;
    DWORD id;
    std::string name;
    TProgram(const TProgram&);
    TProgram& operator=(const TProgram&);
};

// A Windows path for a Unix one ("/work/x" becomes "Z:\work\x"); a Windows path is returned unchanged.
std::string WindowsPath(const std::string& path);

// Texts through WM_GETTEXT, which is carried across processes.
std::string Text(HWND window);
std::string Text(HWND dialog, int control);
std::string ClassName(HWND window);

// A visible top-level window with that class and title (either may be empty: any), or null in time.
HWND WaitWindow(const std::string& className, const std::string& title, DWORD timeout = DefaultTimeout);
bool WaitGone(HWND window, DWORD timeout = DefaultTimeout);
bool WaitGone(const std::string& className, const std::string& title, DWORD timeout = DefaultTimeout);
// Prints that a wait for this gave up after the timeout.
void GaveUp(const std::string& what, DWORD timeout);
// Waits until a condition holds; false when the bound runs out.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeout = DefaultTimeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeout)
            return false;
        Sleep(10);
    }
}

// The wizard: a property sheet whose title is the caption of its active page.
HWND WaitWizard(const std::string& pageCaption, DWORD timeout = DefaultTimeout);
HWND CurrentPage(HWND sheet);
// Presses Back, Next, Finish or Cancel (PSBTN_*) without waiting for what follows.
void PressWizardButton(HWND sheet, int button);
bool WizardButtonEnabled(HWND sheet, int button);
// The button itself (PSBTN_*), or null.
HWND WizardButton(HWND sheet, int button);

// A line of a list box, in the code page of the caller (read as UTF-16, which crosses processes whole).
std::string ListItem(HWND list, int index);

// Controls of a dialog.
bool Checked(HWND dialog, int control);
bool Enabled(HWND dialog, int control);
// Clicks a button and waits until the click has been handled.
void Click(HWND dialog, int control);
// Clicks a button without waiting (for one that opens a modal window).
void ClickLater(HWND dialog, int control);
void Type(HWND dialog, int control, const std::string& text);

// The static control that holds a message box's text.
const int MessageBoxTextId = 0xFFFF;

// A message box with that caption: its text, and presses a button (IDOK, IDYES, IDNO, IDCANCEL).
// Returns false when no such box appeared in time; the text is left in `text`.
bool AnswerMessageBox(const std::string& caption, int button, std::string* text = 0,
                      DWORD timeout = DefaultTimeout);
// Whether a message box with that caption is showing now.
HWND FindMessageBox(const std::string& caption);

// Sends a message whose lParam is a text, placing the text in the window's own process first.
LRESULT SendText(HWND window, UINT message, WPARAM wParam, const std::string& text);

// Has the window, the windows beneath it (its owners) and their controls paint themselves anew, and
// waits until that is on the screen; false when it is not in time.
bool Repaint(HWND window, DWORD timeout = DefaultTimeout);
// Saves the whole screen as a PNG file once `shown`, the window the picture is about, is repainted.
bool Screenshot(const std::string& path, HWND shown);

}  // namespace driver

#endif
