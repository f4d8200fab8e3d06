// The setup screen in-process: banner fonts at the display's resolution, the start command taken once,
// and what reaches the screen with the gradient and with the solid colour that replaces it.
// argv[1] is "gradient" or "solid", or "closed": the screen closed from outside under the wizard.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"
#include "resource.h"
#include "screen.h"
#include "texts.h"

namespace {
int FollowUps;

void CountFollowUp(HWND) { ++FollowUps; }

const TWizardPage WelcomeOnly[] = {{IDD_WELCOME, WelcomePageProc}};

void TestFonts()
{
    HDC screen = GetDC(0);
    CHECK_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    TTextData title = {38, 1, 1, 0, 0, RGB(255, 255, 255), 13, 2, TString("Times New Roman")};
    TTextData notice = {18, 0, 1, 1, 1, RGB(0, 255, 255), 7, 5, TString(std::string(40, 'x').c_str())};
    LOGFONTA font = BannerFont(screen, title);
    CHECK_EQ(font.lfHeight, -51);
    CHECK_EQ(font.lfWeight, FW_BOLD);
    CHECK(font.lfItalic && !font.lfUnderline && !font.lfStrikeOut);
    CHECK_EQ(font.lfCharSet, DEFAULT_CHARSET);
    CHECK_TEXT(font.lfFaceName, "Times New Roman");
    font = BannerFont(screen, notice);
    CHECK_EQ(font.lfHeight, -24);
    CHECK_EQ(font.lfWeight, FW_NORMAL);
    CHECK(font.lfItalic && font.lfUnderline && font.lfStrikeOut);
    CHECK_TEXT(font.lfFaceName, std::string(31, 'x').c_str());
    ReleaseDC(0, screen);
}

COLORREF Pixel(int x, int y)
{
    HDC screen = GetDC(0);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(0, screen);
    return color;
}

// Whether some pixel of a row range has exactly this colour.
bool Shows(COLORREF color, int top, int bottom, int right)
{
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < right; ++x)
            if (Pixel(x, y) == color)
                return true;
    return false;
}

bool Gradient;
bool Closed;
volatile bool LoopEnded;

DWORD WINAPI User(void*)
{
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (!sheet)
        return 0;
    HWND background = FindWindowA(Gradient ? "clScreenTest" : "clScreenTestSolid", 0);
    CHECK(background != 0);
    if (Closed) {
        // End Task, or another program: the program ends, nothing follows the wizard.
        PostMessageA(background, WM_CLOSE, 0, 0);
        if (!driver::WaitUntil([] { return LoopEnded; })) {
            check::Fail(__FILE__, __LINE__, "the program goes on after its screen was closed", 0);
            ExitProcess(static_cast<UINT>(check::Finish("screen closed under the wizard")));
        }
        return 0;
    }
    // Another activation and a command other than the start command must not start a second wizard.
    SendMessageA(background, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(background, WM_COMMAND, StartCommand + 1, 0);
    RedrawWindow(background, 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(sheet, WM_NULL, 0, 0);

    RECT client;
    GetClientRect(background, &client);
    POINT origin = {0, 0};
    ClientToScreen(background, &origin);
    const int bottom = origin.y + client.bottom;
    if (Gradient) {
        COLORREF top = Pixel(300, origin.y + 100), low = Pixel(300, bottom - 40);
        CHECK(GetBValue(top) > 200 && GetRValue(top) == 0 && GetGValue(top) == 0);
        CHECK(GetBValue(low) < 40 && GetRValue(low) == 0 && GetGValue(low) == 0);
    } else {
        CHECK_EQ(Pixel(300, origin.y + 100), RGB(0, 128, 128));
        CHECK_EQ(Pixel(300, bottom - 40), RGB(0, 128, 128));
    }
    // The title in white with its black shadow near the top left, the notice line along the bottom.
    CHECK(Shows(RGB(255, 255, 255), origin.y + 2, origin.y + 60, 240));
    CHECK(Shows(RGB(0, 0, 0), origin.y + 7, origin.y + 65, 240));
    CHECK(Shows(RGB(0, 255, 255), bottom - 5 - 24, bottom - 5, 320));
    CHECK(!Shows(RGB(0, 255, 255), bottom - 4, bottom, 320));
    if (!driver::WizardButtonEnabled(sheet, PSBTN_NEXT))
        check::Fail(__FILE__, __LINE__, "Next is not enabled", 0);
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    return 0;
}
}

int main(int argc, char** argv)
{
    Gradient = argc > 1 && strcmp(argv[1], "gradient") == 0;
    Closed = argc > 1 && strcmp(argv[1], "closed") == 0;
    TestFonts();
    Screen.Instance = GetModuleHandleA(0);
    Screen.Title.Assign("Тиктон");
    Screen.Notice.Assign("© 1999–2001 Vantorel");
    Screen.TitleText = {38, 1, 1, 0, 0, RGB(255, 255, 255), 13, 2, TString("Times New Roman")};
    Screen.Shadow = {5, 5, RGB(0, 0, 0)};
    Screen.NoticeText = {18, 1, 1, 0, 0, RGB(0, 255, 255), 7, 5, TString("Times New Roman")};
    Screen.Colors = {RGB(0, 0, 255), RGB(0, 0, 0), RGB(0, 128, 128)};
    Screen.StartPending = true;
    Screen.WizardUnplaced = true;
    Screen.Pages = WelcomeOnly;
    Screen.PageCount = 1;
    Screen.FollowUp = CountFollowUp;
    if (Gradient) {
        LoadImagingLibrary();
        CHECK(Screen.GradientFill != 0);
    }
    HANDLE user = CreateThread(0, 0, User, 0, 0, 0);
    CHECK(CreateBackgroundWindow(Gradient ? "clScreenTest" : "clScreenTestSolid", SetupCaption) != 0);
    RunMessageLoop();
    LoopEnded = true;
    WaitForSingleObject(user, driver::DefaultTimeout);
    CHECK_EQ(FollowUps, Closed ? 0 : 1);
    FreeImagingLibrary();
    return check::Finish(Closed ? "screen closed under the wizard" : Gradient ? "screen with gradient" : "screen in solid colour");
}
