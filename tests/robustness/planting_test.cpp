// DLL planting: DLLs named like comctl32 and msimg32 beside Install.exe, in setup's current folder and
// beside the installed uninstaller, through a whole installation and removal. None may ever be loaded.
// argv: the kit's Install.exe, then the planted DLLs.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"
#include "files.h"
#include "texts.h"
#include "uninstall_ids.h"

namespace {
void Plant(int argc, char** argv, const char* folder)
{
    for (int i = 2; i < argc; ++i) {
        std::string dll = driver::WindowsPath(argv[i]);
        std::string name = dll.substr(dll.find_last_of('\\') + 1);
        CHECK_CASE(CopyFileA(dll.c_str(), (std::string(folder) + "\\" + name).c_str(), FALSE), name.c_str());
    }
}
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string dist = driver::WindowsPath(argv[1]).substr(0, driver::WindowsPath(argv[1]).find_last_of('\\'));
    CreateDirectoryA("C:\\Kit", 0);
    CopyFileA((dist + "\\Install.exe").c_str(), "C:\\Kit\\Install.exe", FALSE);
    CopyFileA((dist + "\\Install.cab").c_str(), "C:\\Kit\\Install.cab", FALSE);
    Plant(argc, argv, "C:\\Kit");
    Plant(argc, argv, "C:\\windows");
    DeleteFileA("C:\\planted-dll-loaded.txt");

    driver::TProgram install;
    CHECK(install.Start("C:\\Kit\\Install.exe", "", "C:\\Kit"));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (sheet) {
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        driver::WaitWizard("Выбор папки");
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        driver::WaitWizard("Интерфейс");
        driver::PressWizardButton(sheet, PSBTN_FINISH);
        std::string text;
        CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
        CHECK_TEXT(text.c_str(), InstallDone);
    }
    CHECK_EQ(install.Wait(), 1);

    driver::TProgram uninstaller;
    CHECK(uninstaller.Start("C:\\windows\\unTikton.exe"));
    sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (sheet) {
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        driver::WaitWizard("Выбор действия");
        driver::Click(driver::CurrentPage(sheet), uninstall_ids::IDC_REMOVE_ALL);
        driver::PressWizardButton(sheet, PSBTN_NEXT);
        CHECK(driver::WaitUntil([&] {
            return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL)
                && driver::Text(driver::CurrentPage(sheet), uninstall_ids::IDC_HEADING) == RemovalHeading;
        }));
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
    }
    CHECK_EQ(uninstaller.Wait(), 0);
    CHECK(driver::WaitUntil([] { return !Exists("C:\\windows\\unTikton.exe"); }, 60000));

    CHECK(!Exists("C:\\planted-dll-loaded.txt"));
    printf("| DLL planting (comctl32, msimg32; beside setup, in its folder, beside the uninstaller) | %d | %d | %d | 0 |\n",
           argc - 2, check::Failures() ? 0 : argc - 2, check::Failures() ? argc - 2 : 0);
    return check::Finish("dll planting");
}
