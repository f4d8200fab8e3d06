// Shared steps of the installer's end-to-end tests.
#include "session.h"

#include <commctrl.h>

#include <stdio.h>

#include "boxes.h"
#include "driver.h"

namespace session {

bool ReadPrograms(int argc, char** argv, TPrograms& programs)
{
    if (argc < 5) {
        printf("usage: %s Install.exe Tikton.exe stubborn_app.exe fake_uninstaller.exe [screenshot folder]\n",
               argv[0]);
        return false;
    }
    programs.install = argv[1];
    programs.kitFolder = programs.install.substr(0, programs.install.find_last_of('/'));
    programs.application = argv[2];
    programs.stubbornApp = argv[3];
    programs.fakeUninstaller = argv[4];
    programs.screenshots = argc > 5 ? argv[5] : "";
    return true;
}

void CancelWizard(HWND sheet)
{
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    ExpectBox("cancel confirmation", SetupCaption, CancelSetup, IDYES);
}

}  // namespace session
