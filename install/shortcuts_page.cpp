// The shortcuts page: which of the seven shortcuts to create, each all-users box tied to its user twin
// so that no place gets both copies.
#include <windows.h>

#include "installer.h"
#include "pages.h"
#include "resource.h"
#include "state.h"

namespace {
// A new installation offers the Programs menu, the all-users one where the system has it (the user's
// box behind it stays ticked for when it is given back), and Quick Launch.
void OfferShortcuts(bool ticked[ShortcutLocationCount])
{
    for (int i = 0; i < ShortcutLocationCount; ++i)
        ticked[i] = false;
    ticked[CommonProgramsLocation] = ticked[UserProgramsLocation] = ticked[QuickLaunchLocation] = true;
}

void OnShortcutsInit(HWND page)
{
    SetSidePicture(page, IDB_SHORTCUTS);
    bool ticked[ShortcutLocationCount];
    OfferShortcuts(ticked);
    PresetShortcutBoxes(page, ticked, true);
}

INT_PTR OnShortcutsCommand(HWND page, WPARAM wParam)
{
    return HIWORD(wParam) == BN_CLICKED && PairCommonBox(page, LOWORD(wParam));
}

void OnShortcutsFinish(HWND page)
{
    ReadShortcutBoxes(page, InstallChoices.Shortcuts);
    InstallChoices.Confirmed = true;
}

INT_PTR OnShortcutsNotify(HWND page, const NMHDR& notice)
{
    switch (notice.code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
        return TRUE;
    case PSN_WIZFINISH:
        OnShortcutsFinish(page);
        return AnswerSheet(page, 0);
    case PSN_QUERYCANCEL:
        return AnswerSheet(page, KeepSetupOnCancel(page));
    }
    return FALSE;
}
}

void FirstViewShortcuts(bool chosen[ShortcutLocationCount])
{
    bool ticked[ShortcutLocationCount];
    OfferShortcuts(ticked);
    TicksOnFirstView(ticked, chosen);
}

INT_PTR CALLBACK InstallShortcutsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnShortcutsInit(page);
        return TRUE;
    case WM_NOTIFY:
        return OnShortcutsNotify(page, *reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        return OnShortcutsCommand(page, wParam);
    }
    return FALSE;
}
