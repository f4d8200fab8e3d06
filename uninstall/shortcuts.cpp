// Shortcut set maintenance: the shortcuts page preset from the link files that exist, each all-users
// box tied to its per-user partner, and the set made to match the boxes on Finish.
#include "uninstaller.h"

#include "paths.h"
#include "platform.h"
#include "resource.h"
#include "state.h"

namespace {
const TShortcutLocation CommonLocations[3] = {CommonDesktopLocation, CommonProgramsLocation, CommonStartMenuLocation};
const TShortcutLocation UserLocations[3] = {UserDesktopLocation, UserProgramsLocation, UserStartMenuLocation};

bool Checked(HWND page, int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED; }

bool CommonShortcutsAllowed() { return IsWinNT && IsAdministrator; }

// Makes the location's shortcut match its box. An unknown location is left alone: its link path
// would lie in the root of the current drive.
void Apply(HWND page, int box, TShortcutLocation location, const TLinkInfo& link)
{
    const TString& path = LinkPaths[location];
    if (path.IsEmpty())
        return;
    if (Checked(page, box))
        CreateShortcut(path.CStr(), link, ProductLinkFields);
    else
        DeleteFileA(path.CStr());
}
}

void ReadShortcutLocations()
{
    TString linkName;
    linkName.Load(Screen.Instance, IDS_LINK_NAME);
    for (int i = 0; i < ShortcutLocationCount; ++i) {
        TShortcutLocation location = static_cast<TShortcutLocation>(i);
        if (ShortcutLocationExists(location))
            LinkPaths[i] = LinkPathIn(ReadShortcutFolder(location), linkName.CStr());
    }
}

void InitShortcutChoices(HWND page)
{
    ReadShortcutLocations();
    for (int pair = 0; pair < 3; ++pair) {
        ShortcutPairs.CommonExisted[pair] = IsWinNT && IsFile(LinkPaths[CommonLocations[pair]].CStr());
        if (IsWinNT) {
            CheckDlgButton(page, ShortcutPairs.CommonBoxes[pair], ShortcutPairs.CommonExisted[pair] ? BST_CHECKED : BST_UNCHECKED);
            if (ShortcutPairs.CommonExisted[pair])
                EnableWindow(GetDlgItem(page, ShortcutPairs.UserBoxes[pair]), FALSE);
        }
    }
    const int commonControls[] = {IDC_COMMON_GROUP, IDC_COMMON_DESKTOP, IDC_COMMON_PROGRAMS, IDC_COMMON_START_MENU};
    for (int control : commonControls)
        EnableWindow(GetDlgItem(page, control), CommonShortcutsAllowed());
    for (int pair = 0; pair < 3; ++pair) {
        ShortcutPairs.RememberedUser[pair] =
            !ShortcutPairs.CommonExisted[pair] && IsFile(LinkPaths[UserLocations[pair]].CStr());
        CheckDlgButton(page, ShortcutPairs.UserBoxes[pair], ShortcutPairs.RememberedUser[pair] ? BST_CHECKED : BST_UNCHECKED);
    }
    if (QuickLaunchSupported) {
        CheckDlgButton(page, IDC_QUICK_LAUNCH, IsFile(LinkPaths[QuickLaunchLocation].CStr()) ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(page, IDC_QUICK_LAUNCH), TRUE);
    }
}

void PairCommonBox(HWND page, int commonBox)
{
    for (int pair = 0; pair < 3; ++pair) {
        if (ShortcutPairs.CommonBoxes[pair] != commonBox)
            continue;
        const int user = ShortcutPairs.UserBoxes[pair];
        if (Checked(page, commonBox)) {
            ShortcutPairs.RememberedUser[pair] = Checked(page, user);
            CheckDlgButton(page, user, BST_UNCHECKED);
            EnableWindow(GetDlgItem(page, user), FALSE);
        } else {
            CheckDlgButton(page, user, ShortcutPairs.RememberedUser[pair] ? BST_CHECKED : BST_UNCHECKED);
            EnableWindow(GetDlgItem(page, user), TRUE);
        }
    }
}

void ApplyShortcutChoices(HWND page)
{
    StripTrailingBackslash(InstallFolder);
    TLinkInfo link;
    TString program;
    program.Load(Screen.Instance, IDS_PROGRAM_FILE);
    link.Path = InstallFolder;
    EnsureTrailingBackslash(link.Path);
    link.Path.Append(program.CStr());
    link.WorkingDirectory = InstallFolder;
    link.Description.Load(Screen.Instance, IDS_LINK_DESCRIPTION);
    if (CommonShortcutsAllowed())
        for (int pair = 0; pair < 3; ++pair)
            Apply(page, ShortcutPairs.CommonBoxes[pair], CommonLocations[pair], link);
    for (int pair = 0; pair < 3; ++pair)
        Apply(page, ShortcutPairs.UserBoxes[pair], UserLocations[pair], link);
    if (QuickLaunchSupported)
        Apply(page, IDC_QUICK_LAUNCH, QuickLaunchLocation, link);
}
