// The shortcuts page's boxes in both programs: preset, each user box tied to its all-users twin so
// that no place gets both copies, and read back.
#include "screen.h"

#include "frame_ids.h"

namespace {
// The state to give a user box back when its twin is unticked, by location.
bool RememberedUserBoxes[ShortcutLocationCount];

bool Ticked(HWND page, int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED; }

void Tick(HWND page, int box, bool ticked) { CheckDlgButton(page, box, ticked ? BST_CHECKED : BST_UNCHECKED); }

void Enable(HWND page, int control, bool enabled) { EnableWindow(GetDlgItem(page, control), enabled); }

// A user box behind its ticked twin is clear and cannot be changed; its state is kept.
void Lock(HWND page, const TShortcutPlace& user)
{
    RememberedUserBoxes[user.Location] = Ticked(page, user.Box);
    Tick(page, user.Box, false);
    Enable(page, user.Box, false);
}
}

void TicksOnFirstView(const bool ticked[ShortcutLocationCount], bool shown[ShortcutLocationCount])
{
    for (const TShortcutPlace& place : ShortcutPlaces)
        shown[place.Location] = place.Exists() && ticked[place.Location];
    for (const TShortcutPlace& place : ShortcutPlaces)
        if (place.Twin && shown[place.Twin->Location])
            shown[place.Location] = false;
}

void PresetShortcutBoxes(HWND page, const bool ticked[ShortcutLocationCount], bool allUsersAllowed)
{
    bool shown[ShortcutLocationCount];
    TicksOnFirstView(ticked, shown);
    bool allUsersEnabled = false;
    for (const TShortcutPlace& place : ShortcutPlaces) {
        const bool exists = place.Exists();
        if (exists)
            Tick(page, place.Box, shown[place.Location]);
        // A user box behind its ticked twin is locked, keeping what it is to be once the twin is clear.
        const bool locked = place.Twin && shown[place.Twin->Location];
        if (place.Twin)
            RememberedUserBoxes[place.Location] = ticked[place.Location];
        const bool enabled = exists && (!place.AllUsers || allUsersAllowed) && !locked;
        Enable(page, place.Box, enabled);
        allUsersEnabled = allUsersEnabled || (place.AllUsers && enabled);
    }
    Enable(page, IDC_COMMON_GROUP, allUsersEnabled);
}

bool PairCommonBox(HWND page, int box)
{
    for (const TShortcutPlace& place : ShortcutPlaces) {
        if (!place.Twin || place.Twin->Box != box)
            continue;
        if (Ticked(page, box)) {
            Lock(page, place);
        } else {
            Tick(page, place.Box, RememberedUserBoxes[place.Location]);
            Enable(page, place.Box, true);
        }
        return true;
    }
    return false;
}

void ReadShortcutBoxes(HWND page, bool ticked[ShortcutLocationCount])
{
    for (const TShortcutPlace& place : ShortcutPlaces)
        ticked[place.Location] = place.Exists() && Ticked(page, place.Box);
}
