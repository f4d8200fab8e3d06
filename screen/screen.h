// The full-screen setup screen and the wizard frame that both programs run their dialogue in.
#ifndef SCREEN_SCREEN_H
#define SCREEN_SCREEN_H

#include <windows.h>
#include <commctrl.h>

#include "shortcut.h"
#include "tstring.h"

#pragma pack(push, 1)
// One line of banner text. The fields before FaceName are laid out as the banner's data resources hold them.
struct TTextData {
    LONG PointSize;
    BYTE Bold;
    BYTE Italic;
    BYTE Underline;
    BYTE StrikeOut;
    COLORREF Color;
    LONG X;
    LONG Y;  // title: top of the text; second line: bottom of the text above the bottom of the window
    TString FaceName;
};

struct TShadowData {
    LONG XOffset;
    LONG YOffset;
    COLORREF Color;
};

struct TBackColors {
    COLORREF Top;
    COLORREF Bottom;
    COLORREF Solid;  // the class brush when no gradient can be drawn
};
#pragma pack(pop)

typedef BOOL(WINAPI* TGradientFill)(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                                    ULONG mode);

struct TWizardPage {
    UINT Dialog;
    DLGPROC Proc;
};

// The number of pages of a page table, for TScreen's PageCount.
template <int Count>
constexpr int PageCountOf(const TWizardPage (&)[Count])
{
    return Count;
}

// The screen's program-wide state; each program's start-up fills it before the window exists.
struct TScreen {
    HINSTANCE Instance;
    HWND Background;
    TString Title;
    TString Notice;
    TTextData TitleText;
    TShadowData Shadow;
    TTextData NoticeText;
    TBackColors Colors;
    HMODULE ImagingLibrary;
    TGradientFill GradientFill;
    HMODULE CommonControls;  // comctl32, from the system folder, loaded on first use
    bool StartPending;    // the first activation has not posted the start command yet
    bool WizardUnplaced;  // the wizard has not been centred yet
    const TWizardPage* Pages;
    int PageCount;
    // Asked when the user cancels the welcome page: true keeps the wizard open. None: Cancel closes it.
    bool (*KeepWizardOnCancel)(HWND page);
    // What the program does after its wizard has closed, before the screen closes. None: nothing.
    void (*FollowUp)(HWND background);
};

extern TScreen Screen;

const WPARAM StartCommand = 100;

// msimg32.dll from the system folder only, and its GradientFill, or neither.
void LoadImagingLibrary();
void FreeImagingLibrary();
// Registers the class and shows the window over the whole screen; null when either fails.
HWND CreateBackgroundWindow(const char* className, const char* windowTitle);
// Dispatches until the quit message; no keyboard translation, as the wizard brings its own loop.
void RunMessageLoop();

LRESULT CALLBACK BackgroundWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintGradient(HWND window, HDC dc);
void PaintBanner(HDC dc, const RECT& client);
// The font a banner line is drawn with, its height scaled to the device's resolution.
LOGFONTA BannerFont(HDC dc, const TTextData& text);

// comctl32 from the system folder (once) and its control classes registered; false when it cannot be had.
bool InitCommonControlsFromSystem();
void RunWizard();
// Dispatches what waits in the queue and returns; a quit message is left there for the program's loop.
void PumpMessages();
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Helpers for every page of both programs.
void SetSidePicture(HWND page, UINT bitmap);
void SetWizardButtons(HWND page, DWORD buttons);
// Gives the property sheet a page's answer; returns TRUE for the dialog procedure to return.
INT_PTR AnswerSheet(HWND page, LONG_PTR answer);
void CentreOnScreen(HWND window);
// The administrators-only form of an action page's choice: the choice and its note disabled, the
// choice relabelled with the string-table text.
void RestrictToAdministrators(HWND page, int choice, int note, UINT label);
// Centres the sheet on the screen once in the life of the program and removes its help button.
void PlaceWizard(HWND sheet);

// The shortcuts page of both programs, one box per location; the arrays are by TShortcutLocation.
// Ticks the boxes of the locations the system has as `ticked` says (a user box as it is to be while
// its twin is clear), enables them (the all-users ones only when allowed) and locks every user box
// whose twin is ticked.
void PresetShortcutBoxes(HWND page, const bool ticked[ShortcutLocationCount], bool allUsersAllowed);
// What those boxes show ticked: `ticked` at the locations the system has, less each user location whose
// twin is ticked. PresetShortcutBoxes shows exactly this.
void TicksOnFirstView(const bool ticked[ShortcutLocationCount], bool shown[ShortcutLocationCount]);
// A click on an all-users box locks its user twin or gives it back as it was; false for any other box.
bool PairCommonBox(HWND page, int box);
// Which boxes of locations the system has are ticked.
void ReadShortcutBoxes(HWND page, bool ticked[ShortcutLocationCount]);

#endif
