// unTikton's program-wide state: the record it works from, the shortcut set, what the removal left
// behind. The instance, the background window and the banner are the setup screen's (Screen).
#ifndef UNINSTALL_STATE_H
#define UNINSTALL_STATE_H

#include <windows.h>

#include "arrays.h"
#include "shortcut.h"
#include "tstring.h"

// Read from the string table when the program's data is constructed, before WinMain.
extern TString ProductKeyPath;
extern TString UninstallKeyPath;

// InstallDir and InstDirExisted of the record, as start-up read them.
extern TString InstallFolder;
extern TString ExistedFolder;

// The seven link paths, one per shortcut location; empty where the location is not known.
extern TString LinkPaths[ShortcutLocationCount];

// What the removal could not remove, with the system's error codes; written by the worker only.
extern TStrIntArray NotRemoved;
// Set by the progress page as it starts the worker.
extern volatile bool RemovalStarted;
// Set by the worker as its last action: the removal ran to its end and the uninstaller may go.
extern volatile bool RemovalDone;
// The removal found the installation's drive out of reach and did nothing: unTikton ends with 255.
extern bool RemovalRefused;

#endif
