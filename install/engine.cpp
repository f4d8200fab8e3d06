// The installation engine: runs after a wizard that was finished, never after Cancel.
#include "installer.h"

#include "state.h"

void RunInstallation()
{
    if (!InstallChoices.Confirmed)
        return;
    // Unpacking the archive, the record and the shortcuts join here with the cabinet support.
}
