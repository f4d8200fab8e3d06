// The installation engine run in-process as a finished wizard leaves it, for test programs linked with
// the installer's code (the support library itself is not).
#ifndef TESTS_SUPPORT_ENGINE_RUN_H
#define TESTS_SUPPORT_ENGINE_RUN_H

#include <windows.h>

#include <string>
#include <vector>

#include "boxes.h"
#include "installer.h"
#include "state.h"

// One confirmed run into the folder, a new installation or a reinstallation, with every shortcut box
// ticked or none; returns the texts of the message boxes it showed, each answered, and leaves the
// unattended exit code the run returned in `exitCode` when given.
inline std::vector<std::string> RunEngine(const char* folder, bool fresh, bool everyShortcut = false,
                                          int* exitCode = 0)
{
    ZeroMemory(&InstallChoices, sizeof InstallChoices);
    InstallChoices.Confirmed = true;
    lstrcpynA(InstallChoices.InstallFolder, folder, MAX_PATH);
    for (bool& chosen : InstallChoices.Shortcuts)
        chosen = everyShortcut;
    FreshInstall = fresh;
    TBoxAnswerer answerer;
    const int code = RunInstallation();
    if (exitCode)
        *exitCode = code;
    return answerer.Stop();
}

#endif
