// Checked steps through the wizards.
#include "steps.h"

#include <commctrl.h>

#include "check.h"
#include "driver.h"

HWND Next(HWND sheet, const char* caption)
{
    driver::PressWizardButton(sheet, PSBTN_NEXT);
    CHECK_CASE(driver::WaitWizard(caption) == sheet, caption);
    return driver::CurrentPage(sheet);
}

HWND PastWelcome(const char* caption)
{
    HWND sheet = driver::WaitWizard("Добро пожаловать");
    CHECK(sheet != 0);
    if (sheet)
        Next(sheet, caption);
    return sheet;
}
