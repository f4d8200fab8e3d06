// What the installer's end-to-end tests share: the programs under test, and the way out of the wizard.
#ifndef TESTS_SUPPORT_SESSION_H
#define TESTS_SUPPORT_SESSION_H

#include <windows.h>

#include <string>

namespace session {

struct TPrograms {
    std::string install;
    std::string kitFolder;  // the folder of Install.exe and Install.cab, where setup is started
    std::string application;  // the kit's stand-in, which closes when asked
    std::string stubbornApp;  // one that will not
    std::string fakeUninstaller;
    std::string screenshots;  // folder for screenshots, or empty
};

// argv: Install.exe, Tikton.exe, stubborn_app.exe, fake_uninstaller.exe [screenshot folder]
bool ReadPrograms(int argc, char** argv, TPrograms& programs);

// Cancels the wizard and confirms with Yes.
void CancelWizard(HWND sheet);

}  // namespace session

#endif
