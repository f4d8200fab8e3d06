// Install's entry point. The start-up checks, the setup screen and the wizard are still to come;
// until then the program only proves that it builds and links.
#include <windows.h>

#include "platform.h"

namespace {
// The platform flags are known before WinMain runs and the system module is released after it returns.
struct TPlatformStart {
    TPlatformStart() { InitPlatformFlags(UseWithFreeSpace); }
    ~TPlatformStart() { ReleasePlatformFlags(); }
} PlatformStart;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
