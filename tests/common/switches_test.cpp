// The command line's switches as either program reads them.
#include <windows.h>

#include "check.h"
#include "switches.h"

int main()
{
    struct {
        const char* line;
        bool folderAllowed, valid;
        bool unattended, folderGiven;  // for a valid line
        const char* folder;
    } const cases[] = {
        {"", true, true, false, false, ""},
        {"  \t ", true, true, false, false, ""},
        {"/S", false, true, true, false, ""},
        {"\t/S  /S ", false, true, true, false, ""},
        {"/S /D=C:\\Мои программы\\Тик тон  ", true, true, true, true, "C:\\Мои программы\\Тик тон"},
        {"/S /D=C:\\a /S", true, true, true, true, "C:\\a /S"},
        {"/S /D=", true, true, true, true, ""},
        {"/S /D=C:\\a", false, false, false, false, ""},
        {"/D=C:\\a", true, false, false, false, ""},
        {"/D=C:\\a /S", true, false, false, false, ""},
        {"/s", true, false, false, false, ""},
        {"/S2", true, false, false, false, ""},
        {"/S /X", true, false, false, false, ""},
        {"\"/S\"", true, false, false, false, ""},
        {"/S \"/D=C:\\a b\"", true, false, false, false, ""},
        {"/S /d=C:\\a", true, false, false, false, ""},
        {"setup", true, false, false, false, ""},
    };
    for (const auto& c : cases) {
        TSwitches switches;
        CHECK_CASE(ReadSwitches(c.line, c.folderAllowed, switches) == c.valid, c.line);
        if (!c.valid)
            continue;
        CHECK_CASE(switches.Unattended == c.unattended, c.line);
        CHECK_CASE(switches.FolderGiven == c.folderGiven, c.line);
        CHECK_TEXT(switches.Folder.CStr(), c.folder);
    }
    return check::Finish("common switches");
}
