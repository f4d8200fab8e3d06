// Screenshots of the whole screen, encoded as PNG by the system's GDI+, taken once the window shown
// has drawn itself anew and the screen has settled.
#include "driver.h"

#include <vector>

extern "C" {
struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
int WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE palette, void** image);
int WINAPI GdipSaveImageToFile(void* image, const WCHAR* file, const CLSID* encoder, const void* parameters);
int WINAPI GdipDisposeImage(void* image);
}

namespace driver {

namespace {
// The whole screen as it is now, in a bitmap of the screen's format.
HBITMAP CaptureScreen()
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(0);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(0, screen);
    return bitmap;
}

std::vector<DWORD> ScreenPixels()
{
    HBITMAP bitmap = CaptureScreen();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = GetSystemMetrics(SM_CXSCREEN);
    info.bmiHeader.biHeight = GetSystemMetrics(SM_CYSCREEN);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmiHeader.biWidth) * info.bmiHeader.biHeight);
    HDC screen = GetDC(0);
    GetDIBits(screen, bitmap, 0, info.bmiHeader.biHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(0, screen);
    DeleteObject(bitmap);
    return pixels;
}

BOOL CALLBACK FindPending(HWND window, LPARAM pending)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, 0, FALSE))
        *reinterpret_cast<bool*>(pending) = true;
    return TRUE;
}

// Whether the window, a window beneath it or a control of either has something left to paint.
bool PaintPending(HWND window)
{
    bool pending = false;
    for (HWND level = window; level && !pending; level = GetWindow(level, GW_OWNER)) {
        FindPending(level, reinterpret_cast<LPARAM>(&pending));
        EnumChildWindows(level, FindPending, reinterpret_cast<LPARAM>(&pending));
    }
    return pending;
}
}

bool Repaint(HWND window, DWORD timeout)
{
    for (HWND level = window; level; level = GetWindow(level, GW_OWNER))
        RedrawWindow(level, 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!WaitUntil([&] { return !PaintPending(window); }, timeout))
        return false;
    // A program hands what it painted to the screen when it next waits: settled once two looks agree.
    std::vector<DWORD> last = ScreenPixels();
    return WaitUntil(
        [&] {
            std::vector<DWORD> now = ScreenPixels();
            const bool same = now == last;
            last.swap(now);
            return same;
        },
        timeout);
}

bool Screenshot(const std::string& path, HWND shown)
{
    if (!Repaint(shown))
        return false;
    const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    HBITMAP bitmap = CaptureScreen();
    bool saved = false;
    ULONG_PTR token = 0;
    GdiplusStartupInput input = {1, 0, FALSE, FALSE};
    if (GdiplusStartup(&token, &input, 0) == 0) {
        void* image = 0;
        if (GdipCreateBitmapFromHBITMAP(bitmap, 0, &image) == 0) {
            std::string file = WindowsPath(path);
            std::vector<WCHAR> wide(file.size() + 1);
            MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
            saved = GdipSaveImageToFile(image, wide.data(), &pngEncoder, 0) == 0;
            GdipDisposeImage(image);
        }
        GdiplusShutdown(token);
    }
    DeleteObject(bitmap);
    return saved;
}

}  // namespace driver
