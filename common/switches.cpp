// Reading the command line's switches.
#include "switches.h"

#include <string.h>

bool Unattended;

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}

bool ReadSwitches(const char* commandLine, bool folderAllowed, TSwitches& switches)
{
    switches.Unattended = false;
    switches.FolderGiven = false;
    switches.Folder.Assign("");
    const char* at = commandLine ? commandLine : "";
    for (;;) {
        while (IsBlank(*at))
            ++at;
        if (!*at)
            break;
        const char* end = at;
        while (*end && !IsBlank(*end))
            ++end;
        // The folder is the whole rest of the line: a path with blanks needs no quotes, and nothing may follow.
        if (folderAllowed && strncmp(at, "/D=", 3) == 0) {
            end = at + strlen(at);
            while (end > at + 3 && IsBlank(end[-1]))
                --end;
            switches.Folder.AssignPart(at + 3, static_cast<size_t>(end - at - 3));
            switches.FolderGiven = true;
            break;
        }
        // Exactly as typed: "/s" or "/S2" is a switch this program does not have.
        if (end - at != 2 || strncmp(at, "/S", 2) != 0)
            return false;
        switches.Unattended = true;
        at = end;
    }
    return switches.Unattended || !switches.FolderGiven;
}
