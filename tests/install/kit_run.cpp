// Drives one complete installation from the kit, as a newcomer would: welcome, folder, shortcuts
// (the user's desktop ticked as well), Finish, and the closing message; or, with "remove", a complete
// removal by the installed uninstaller. Saves a screenshot of each step.
//   kit_run Install.exe [screenshot folder [remove]]
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "driver.h"
#include "install_ids.h"
#include "steps.h"
#include "texts.h"
#include "uninstall_ids.h"

namespace {
std::string Shots;
driver::TProgram Install;

void Shot(HWND shown, const char* name)
{
    if (!Shots.empty())
        CHECK_CASE(driver::Screenshot(Shots + "/" + name + ".png", shown), name);
}

HWND Step(HWND sheet, const char* caption, const char* shot)
{
    HWND page = Next(sheet, caption);
    Shot(sheet, shot);
    return page;
}
}

int RemoveAll()
{
    CHECK(Install.Start("C:\\windows\\unTikton.exe"));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (sheet) {
        Shot(sheet, "5-uninstall-welcome");
        HWND action = Step(sheet, "Выбор действия", "6-uninstall-action");
        driver::Click(action, uninstall_ids::IDC_REMOVE_ALL);
        Shot(sheet, "6-uninstall-action");
        HWND page = Next(sheet, "Удаление файлов");
        CHECK(driver::WaitUntil([&] {
            return driver::Text(page, uninstall_ids::IDC_HEADING) == RemovalHeading
                && driver::WizardButtonEnabled(sheet, PSBTN_CANCEL);
        }));
        Shot(sheet, "7-uninstall-done");
        driver::PressWizardButton(sheet, PSBTN_CANCEL);
    }
    CHECK_EQ(Install.Wait(), 0);
    return check::Finish("kit removal");
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string install = argv[1];
    Shots = argc > 2 ? argv[2] : "";
    if (argc > 3 && strcmp(argv[3], "remove") == 0)
        return RemoveAll();
    CHECK(Install.Start(install, "", install.substr(0, install.find_last_of('/'))));
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (sheet) {
        Shot(sheet, "1-welcome");
        Step(sheet, "Выбор папки", "2-folder");
        HWND shortcuts = Step(sheet, "Интерфейс", "3-shortcuts");
        driver::Click(shortcuts, install_ids::IDC_USER_DESKTOP);
        Shot(sheet, "3-shortcuts");
        driver::PressWizardButton(sheet, PSBTN_FINISH);
        HWND done = 0;
        CHECK(driver::WaitUntil([&] { return (done = driver::FindMessageBox(SetupCaption)) != 0; }));
        Shot(done, "4-done");
        std::string text;
        CHECK(driver::AnswerMessageBox(SetupCaption, IDOK, &text));
        CHECK_TEXT(text.c_str(), InstallDone);
    }
    CHECK_EQ(Install.Wait(), 1);
    return check::Finish("kit installation");
}
