// unTikton's entry point.
#include <windows.h>

#include "platform.h"
#include "uninstaller.h"

namespace {
// The platform flags are known before WinMain runs.
struct TPlatformStart {
    TPlatformStart() { InitPlatformFlags(UseWithoutFreeSpace); }
} PlatformStart;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    return RunUninstaller(instance, commandLine);
}
