// Folder texts by the thousand through the folder checks: generated from the characters that matter
// (separators, colons, wildcards, quotes, Cyrillic, blanks) plus lengths around the limit. Answers are
// compared with the rules written out again here; nothing may crash or change the text it was given.
#include <windows.h>

#include <string>

#include "check.h"
#include "folder_check.h"
#include "platform.h"

namespace {
// The rules, said differently: a Latin letter, a colon and a backslash first, no doubled backslash,
// none of ? * ", and at most one colon, in second place.
bool Allowed(const std::string& text)
{
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (text.size() < 3 || letters.find(text[0]) == std::string::npos || text.compare(1, 2, ":\\") != 0)
        return false;
    if (text.find("\\\\") != std::string::npos)
        return false;
    if (text.find_first_of("?*\"") != std::string::npos)
        return false;
    size_t colons = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ':' && (++colons > 1 || i != 1))
            return false;
    return true;
}

// The drive decides: a fixed drive with room (C:, D:) yes; CD-ROM, floppy, RAM disk, missing, no root no.
int Suitability(const std::string& text)
{
    size_t slash = text.find('\\');
    if (slash == std::string::npos)
        return 0;
    std::string root = text.substr(0, slash + 1);
    if (root == "C:\\" || root == "D:\\" || root == "c:\\" || root == "d:\\")
        return 1;
    if (root.size() == 3 && root[1] == ':' && strchr("EFRQefrq", root[0]))
        return 0;
    return -1;  // anything else: not predicted
}
}

int main()
{
    InitPlatformFlags(UseWithFreeSpace);
    const char* const pieces[] = {"C", "D", "E", "R", "Q", ":", "\\", "\\\\", "?", "*", "\"", "a", " ", ".", "/",
                                  "\xD2\xE8\xEA\xF2\xEE\xED", "Program Files", ":\\"};
    const int count = sizeof pieces / sizeof pieces[0];
    unsigned seed = 12345;
    int cases = 0, mismatches = 0, changed = 0;
    std::string texts[6000];
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        const int parts = i % 9;
        for (int p = 0; p < parts; ++p) {
            seed = seed * 1103515245 + 12345;
            text += pieces[(seed >> 16) % count];
        }
        texts[i] = text;
    }
    // Lengths at the edge of a path, with and without a trailing backslash.
    for (int i = 0; i < 1000; ++i) {
        const int length = 250 + i % 15;
        std::string text = std::string(i % 2 ? "C:\\" : "D:\\") + std::string(length, i % 3 ? 'a' : '\xF2');
        if (i % 4 == 0)
            text += "\\";
        texts[5000 + i] = text;
    }
    for (const std::string& text : texts) {
        ++cases;
        char copy[2048];
        lstrcpynA(copy, text.c_str(), sizeof copy);
        const bool valid = IsValidInstallPath(copy);
        const bool suitable = IsDriveSuitable(copy);
        if (text != copy)
            ++changed;
        const int predicted = Suitability(text);
        if (valid != Allowed(text) || (predicted >= 0 && suitable != (predicted == 1))) {
            ++mismatches;
            if (mismatches < 10)
                printf("mismatch for \"%s\": valid %d suitable %d\n", text.c_str(), valid, suitable);
        }
    }
    CHECK_EQ(mismatches, 0);
    CHECK_EQ(changed, 0);
    printf("| folder text | %d | %d | %d | 0 |\n", cases, cases - mismatches - changed, mismatches + changed);
    return check::Finish("folder texts");
}
