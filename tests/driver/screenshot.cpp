// Screenshots of the whole screen, encoded as PNG by the system's GDI+.
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

bool Screenshot(const std::string& path)
{
    const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(0);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);

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
    DeleteDC(memory);
    ReleaseDC(0, screen);
    return saved;
}

}  // namespace driver
