// What the installer's end-to-end tests share: the programs under test, the record they start from,
// and the answers to the installer's message boxes, checked word for word.
#ifndef TESTS_INSTALL_SESSION_H
#define TESTS_INSTALL_SESSION_H

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"

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

const char SetupCaption[] = "Установка Тиктона";

// The product key with the given InstallDir (null: no key at all) and InstVersion of the given type
// (REG_NONE: none); the Uninstall entry names `uninstaller` when it is not empty.
void SetRecord(const char* installDir, DWORD versionType = REG_NONE, DWORD version = 0,
               const std::string& uninstaller = "");

// Expects a message box of the installer with exactly this text, and answers it.
void ExpectBox(const char* where, const std::string& text, int answer);
// Cancels the wizard and confirms with Yes.
void CancelWizard(HWND sheet);

}  // namespace session

#define EXPECT_BOX(text, answer) session::ExpectBox(__FILE__ ":" CHECK_LINE_TEXT, text, answer)
#define CHECK_LINE_TEXT CHECK_STRINGIFY(__LINE__)
#define CHECK_STRINGIFY(x) CHECK_STRINGIFY2(x)
#define CHECK_STRINGIFY2(x) #x

#endif
