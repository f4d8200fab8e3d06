// Install's entry point.
#include <windows.h>

#include "installer.h"
#include "platform.h"

namespace {
// The platform flags are known before WinMain runs and the system module is released after it returns.
struct TPlatformStart {
    TPlatformStart() { InitPlatformFlags(UseWithFreeSpace); }
    ~TPlatformStart() { ReleasePlatformFlags(); }
} PlatformStart;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    return RunInstaller(instance, commandLine);
}
