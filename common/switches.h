// The command-line switches of both programs, in the convention administrators type for unattended
// installers: /S runs without any window; /D=FOLDER, last and unquoted even with blanks, names the folder.
#ifndef COMMON_SWITCHES_H
#define COMMON_SWITCHES_H

#include "tstring.h"

// The exit code of either program for a command line it does not understand; nothing is changed.
const int ExitUnknownSwitch = 2;

struct TSwitches {
    bool Unattended;  // /S
    bool FolderGiven;  // /D= was there
    TString Folder;   // the rest of the line after /D=, trailing blanks dropped
};

// Reads the command line after the program's name. False for anything but /S and, where `folderAllowed`,
// a last /D=; also for /D= without /S, which means nothing to the wizard. An empty line is valid.
bool ReadSwitches(const char* commandLine, bool folderAllowed, TSwitches& switches);

// Set from /S before anything is shown: no window, and no message box (MessageBoxByIds answers 0).
extern bool Unattended;

#endif
