// Folder texts by the thousand through the folder checks: a head from a table of drive roots and
// refused starts, then pieces that matter (separators, colons, wildcards, quotes, dots, Cyrillic,
// blanks), plus names around the length limit. The answers each class must get are data: nothing may
// crash, nothing be accepted that a refused class holds, every long name on a drive root be accepted.
#include <windows.h>

#include <string>

#include "check.h"
#include "folder_check.h"
#include "platform.h"

namespace {
// Drive roots, and whether the drive may take the installation here; then heads no text may be accepted after.
const struct {
    const char* text;
    bool suitable;
} Roots[] = {{"C:\\", true}, {"d:\\", true}, {"E:\\", false}, {"f:\\", false}, {"R:\\", false}, {"Q:\\", false}};
const char* const RefusedHeads[] = {"\\", "/", "C:/", "C:a", "1:\\", "CC:\\", " C:\\", "\xD2:\\", ":\\"};

// Marks a text is refused for wherever they stand past the drive's colon.
const char* const RefusedMarks[] = {"\\\\", "?", "*", "\"", ":", "\\.\\", "\\..\\"};

// What follows the head.
const char* const Pieces[] = {"C", ":", "\\", "\\\\", "?", "*", "\"", "a", " ", ".", "/", "..",
                              "\xD2\xE8\xEA\xF2\xEE\xED", "Program Files", ":\\"};

bool HoldsRefusedMark(const std::string& text)
{
    for (const char* mark : RefusedMarks)
        if (text.find(mark) != std::string::npos)
            return true;
    return false;
}

// One row of the table, drawn from the sweep's seed.
template <typename T, int N>
const T& Pick(const T (&table)[N], unsigned& seed)
{
    seed = seed * 1103515245 + 12345;
    return table[(seed >> 16) % N];
}
}

int main()
{
    InitPlatformFlags(UseWithFreeSpace);
    unsigned seed = 12345;
    int cases = 0, wrong = 0;
    for (int i = 0; i < 6000; ++i) {
        const auto& root = Pick(Roots, seed);
        const bool onRoot = i >= 5000 || i % 2;
        std::string text = onRoot ? root.text : Pick(RefusedHeads, seed);
        if (i < 5000) {
            for (int p = 0; p < i % 9; ++p)
                text += Pick(Pieces, seed);
        } else {
            // A name at the edge of a path's length, with and without a trailing backslash.
            text += std::string(250 + i % 15, i % 3 ? 'a' : '\xF2') + (i % 4 ? "" : "\\");
        }
        ++cases;
        const bool mustRefuse = !onRoot || HoldsRefusedMark(text.substr(2));
        const bool valid = IsValidInstallPath(text.c_str());
        const bool suitable = IsDriveSuitable(text.c_str());
        if ((mustRefuse && valid) || (i >= 5000 && !valid) || suitable != (onRoot && root.suitable)) {
            if (++wrong < 10)
                printf("wrong for \"%s\": valid %d suitable %d\n", text.c_str(), valid, suitable);
        }
    }
    CHECK_EQ(wrong, 0);
    printf("| folder text | %d | %d | %d | 0 |\n", cases, cases - wrong, wrong);
    return check::Finish("folder texts");
}
