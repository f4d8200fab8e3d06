// The uninstaller's removal and start-up refusal, driven through its windows.
#include "remover.h"

#include <windows.h>
#include <commctrl.h>

#include <stdio.h>

#include "driver.h"
#include "texts.h"
#include "uninstall_ids.h"

namespace remover {

using namespace uninstall_ids;

namespace {
// Prints the list page's items, then closes the uninstaller from there.
void ListLeftovers(HWND sheet)
{
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    if (driver::WaitWizard("Список неудаленных элементов") != sheet)
        return;
    HWND list = GetDlgItem(driver::CurrentPage(sheet), IDC_NOT_REMOVED_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        printf("  not removed: %s\n", driver::ListItem(list, i).c_str());
    driver::WaitUntil([&] { return driver::WizardButtonEnabled(sheet, PSBTN_CANCEL); });
}
}

bool RemoveAll(const std::string& uninstaller)
{
    driver::TProgram program;
    if (!program.Start(uninstaller))
        return false;
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    if (!sheet)
        return false;
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    if (driver::WaitWizard("Выбор действия") != sheet)
        return false;
    driver::Click(driver::CurrentPage(sheet), IDC_REMOVE_ALL);
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    if (driver::WaitWizard("Удаление файлов") != sheet)
        return false;
    HWND page = driver::CurrentPage(sheet);
    // The heading changes before the way out opens: Close when nothing is left, Next to the list otherwise.
    const bool done = driver::WaitUntil([&] {
        return driver::Text(page, IDC_HEADING) == RemovalHeading
            && (driver::WizardButtonEnabled(sheet, PSBTN_CANCEL) || driver::WizardButtonEnabled(sheet, PSBTN_NEXT));
    });
    const bool clean = done && driver::WizardButtonEnabled(sheet, PSBTN_CANCEL);
    if (done && !clean)
        ListLeftovers(sheet);
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    return program.Wait() == 0 && clean;
}

bool Refuses(const std::string& uninstaller, std::string& text)
{
    driver::TProgram program;
    if (!program.Start(uninstaller))
        return false;
    const bool answered = driver::AnswerMessageBox(UninstallCaption, IDOK, &text);
    return answered && program.Wait() == 255;
}

}  // namespace remover
