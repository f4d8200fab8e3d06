// The setup screen: a window over the whole desktop with a vertical gradient and a shadowed banner,
// which runs the wizard from its first activation and then closes itself.
#include "screen.h"


#include "frame_ids.h"
#include "modules.h"
#include "system_library.h"

TScreen Screen = {};

namespace {
void DrawLine(HDC dc, int x, int y, COLORREF color, const TString& line)
{
    SetTextColor(dc, color);
    TextOutA(dc, x, y, line.CStr(), static_cast<int>(line.Length()));
}

// The font of one line is made and dropped on every paint, and the text drawn with it.
template <class Draw>
void WithFont(HDC dc, const TTextData& text, Draw draw)
{
    LOGFONTA description = BannerFont(dc, text);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ previous = font ? SelectObject(dc, font) : 0;
    draw();
    if (font) {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
}

void OnStartCommand(HWND window)
{
    RunWizard();
    PumpMessages();
    // Closed from outside under the wizard (End Task, another program), the window has gone with the
    // sheet it owned and the quit message is on its way: as after a confirmed Cancel, nothing follows.
    if (!IsWindow(window))
        return;
    if (Screen.FollowUp)
        Screen.FollowUp(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    PaintBanner(dc, client);
    EndPaint(window, &paint);
    return 0;
}
}

void LoadImagingLibrary()
{
    Screen.ImagingLibrary = LoadSystemLibrary("msimg32.dll");
    if (!Screen.ImagingLibrary)
        return;
    Screen.GradientFill = ProcAddress<TGradientFill>(Screen.ImagingLibrary, "GradientFill");
    if (!Screen.GradientFill)
        FreeImagingLibrary();
}

void FreeImagingLibrary()
{
    if (Screen.ImagingLibrary)
        FreeLibrary(Screen.ImagingLibrary);
    Screen.ImagingLibrary = 0;
    Screen.GradientFill = 0;
}

HWND CreateBackgroundWindow(const char* className, const char* windowTitle)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_NOCLOSE;
    windowClass.lpfnWndProc = BackgroundWndProc;
    windowClass.hInstance = Screen.Instance;
    windowClass.hIcon = LoadIconA(Screen.Instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = Screen.GradientFill ? 0 : CreateSolidBrush(Screen.Colors.Solid);
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass))
        return 0;
    Screen.Background =
        CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, className, windowTitle,
                        WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                        GetSystemMetrics(SM_CYSCREEN), 0, 0, Screen.Instance, 0);
    if (!Screen.Background)
        return 0;
    // The first activation, inside ShowWindow, posts the start command; the loop takes it after the paint.
    ShowWindow(Screen.Background, SW_SHOWNORMAL);
    UpdateWindow(Screen.Background);
    return Screen.Background;
}

void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0)
        DispatchMessageA(&message);
}

LRESULT CALLBACK BackgroundWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (Screen.StartPending) {
            Screen.StartPending = false;
            PostMessageA(window, WM_COMMAND, StartCommand, 0);
        }
        break;
    case WM_PAINT:
        return OnPaint(window);
    case WM_ERASEBKGND:
        if (!Screen.GradientFill)
            break;
        PaintGradient(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CLOSE:
        DestroyWindow(window);
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != StartCommand)
            break;
        OnStartCommand(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PaintGradient(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    TRIVERTEX vertices[2] = {};
    const COLORREF colors[2] = {Screen.Colors.Top, Screen.Colors.Bottom};
    vertices[1].x = client.right;
    vertices[1].y = client.bottom;
    for (int i = 0; i < 2; ++i) {
        vertices[i].Red = static_cast<COLOR16>(GetRValue(colors[i]) << 8);
        vertices[i].Green = static_cast<COLOR16>(GetGValue(colors[i]) << 8);
        vertices[i].Blue = static_cast<COLOR16>(GetBValue(colors[i]) << 8);
    }
    GRADIENT_RECT rectangle = {0, 1};
    Screen.GradientFill(dc, vertices, 2, &rectangle, 1, GRADIENT_FILL_RECT_V);
}

LOGFONTA BannerFont(HDC dc, const TTextData& text)
{
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(text.PointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = text.Bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = text.Italic;
    font.lfUnderline = text.Underline;
    font.lfStrikeOut = text.StrikeOut;
    font.lfCharSet = DEFAULT_CHARSET;
    // A longer face name is cut to the 31 characters the field holds.
    lstrcpynA(font.lfFaceName, text.FaceName.CStr(), LF_FACESIZE);
    return font;
}

void PaintBanner(HDC dc, const RECT& client)
{
    SetBkMode(dc, TRANSPARENT);
    const TTextData& title = Screen.TitleText;
    WithFont(dc, title, [&] {
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        DrawLine(dc, title.X + Screen.Shadow.XOffset, title.Y + Screen.Shadow.YOffset, Screen.Shadow.Color,
                 Screen.Title);
        DrawLine(dc, title.X, title.Y, title.Color, Screen.Title);
    });
    const TTextData& notice = Screen.NoticeText;
    WithFont(dc, notice, [&] {
        SetTextAlign(dc, TA_BOTTOM);
        DrawLine(dc, notice.X, client.bottom - notice.Y, notice.Color, Screen.Notice);
    });
}
