// unTikton's entry point. The record checks, the wizard and the removal are still to come; until then
// the program only proves that it builds and links.
#include <windows.h>

#include "platform.h"

namespace {
// The platform flags are known before WinMain runs.
struct TPlatformStart {
    TPlatformStart() { InitPlatformFlags(UseWithoutFreeSpace); }
} PlatformStart;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
