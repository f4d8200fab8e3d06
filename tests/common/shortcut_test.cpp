// Shortcut locations as the reported Windows version offers them, and link files written through the
// shell's link object. With "write" it leaves links for the lnkinfo check of shortcut_lnkinfo.sh.
#include <windows.h>

#include <string>

#include "check.h"
#include "paths.h"
#include "platform.h"
#include "registry.h"
#include "shortcut.h"

namespace {
const char ShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char LinkName[] = "\xD2\xE8\xEA\xF2\xEE\xED.lnk";
const char Folder[] = "C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED\\";
const char Description[] =
    "\xD1\xEE\xEE\xE1\xF9\xE0\xE5\xF2 \xEE \xED\xE0\xF1\xF2\xF3\xEF\xEB\xE5\xED\xE8\xE8 \xEE\xEF\xF0\xE5\xE4\xE5"
    "\xEB\xE5\xED\xED\xEE\xE3\xEE \xEC\xEE\xEC\xE5\xED\xF2\xE0 \xE2\xF0\xE5\xEC\xE5\xED\xE8.";

TLinkInfo ProductLink()
{
    TLinkInfo info;
    info.Path.Assign(Folder).Append("Tikton.exe");
    info.Description.Assign(Description);
    info.WorkingDirectory.Assign(Folder);
    // Fields outside the mask must not reach the link.
    info.Arguments.Assign("/unused");
    info.IconLocation.Assign("C:\\unused.ico");
    return info;
}

void WriteLinks()
{
    CreateDirectoryA("C:\\Links", 0);
    CHECK(SUCCEEDED(CreateShortcut("C:\\Links\\" "\xD2\xE8\xEA\xF2\xEE\xED.lnk", ProductLink(), ProductLinkFields)));
    TLinkInfo full = ProductLink();
    full.Arguments.Assign("/quiet");
    full.IconLocation.Assign("C:\\Icons\\tikton.ico");
    full.IconIndex = 2;
    full.ShowCmd = SW_SHOWMINNOACTIVE;
    CHECK(SUCCEEDED(CreateShortcut("C:\\Links\\full.lnk", full, 0xFF)));
}

void TestRefusals()
{
    CreateDirectoryA("C:\\Links", 0);
    CHECK_EQ(CreateShortcut("C:\\Links\\nopath.lnk", ProductLink(), LinkDescription | LinkWorkingDirectory), -1);
    CHECK(!IsFile("C:\\Links\\nopath.lnk"));

    // A link path of more than 259 characters is refused rather than cut to some other name.
    std::string longFolder = "C:\\Links\\" + std::string(240, 'x');
    std::string longPath = longFolder + "\\" + LinkName;
    CHECK(CreateShortcut(longPath.c_str(), ProductLink(), ProductLinkFields)
          == HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    std::string fitting = "C:\\Links\\" + std::string(200, 'y') + ".lnk";
    CHECK(SUCCEEDED(CreateShortcut(fitting.c_str(), ProductLink(), ProductLinkFields)));
    CHECK(IsFile(fitting.c_str()));
}

void TestLocations(const char* reported)
{
    InitPlatformFlags(UseWithoutFreeSpace);
    const bool nine = strcmp(reported, "win95") == 0 || strcmp(reported, "win98") == 0 || strcmp(reported, "winme") == 0;
    const bool quickLaunch = strcmp(reported, "win95") != 0 && strcmp(reported, "nt40") != 0;
    const bool exists[ShortcutLocationCount] = {true, true, true, quickLaunch, !nine, !nine, !nine};
    for (int i = 0; i < ShortcutLocationCount; ++i) {
        TShortcutLocation location = static_cast<TShortcutLocation>(i);
        char name[32];
        snprintf(name, sizeof name, "%s location %d", reported, i);
        CHECK_CASE(ShortcutLocationExists(location) == exists[i], name);
        TString folder = ReadShortcutFolder(location);
        CHECK_CASE(folder.IsEmpty() == !exists[i], name);
        if (!folder.IsEmpty())
            CHECK_CASE(folder.Last() != '\\', name);
    }
    if (quickLaunch) {
        TString appData, quick = ReadShortcutFolder(QuickLaunchLocation);
        ReadRegStringAt(appData, HKEY_CURRENT_USER, ShellFolders, "AppData");
        CHECK_TEXT(quick.CStr(), appData.Concat("\\Microsoft\\Internet Explorer\\Quick Launch").CStr());
    }

    // A folder ending in a backslash, a missing or empty value, and a value of another type.
    HKEY key = OpenRegKey(HKEY_CURRENT_USER, ShellFolders, false, false);
    WriteRegString(TString("D:\\"), key, "Desktop");
    WriteRegString(TString(), key, "Programs");
    RegSetValueExA(key, "Start Menu", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%USERPROFILE%\\Start"), 20);
    RegCloseKey(key);
    CHECK_TEXT(LinkPathIn(ReadShortcutFolder(UserDesktopLocation), LinkName).CStr(), "D:\\\xD2\xE8\xEA\xF2\xEE\xED.lnk");
    CHECK(ReadShortcutFolder(UserProgramsLocation).IsEmpty());
    CHECK(ReadShortcutFolder(UserStartMenuLocation).IsEmpty());
    // No link path is made from an empty folder, so nothing lands in the root of a drive.
    CHECK(LinkPathIn(TString(), LinkName).IsEmpty());
    CHECK_TEXT(LinkPathIn(TString("C:\\Dir\\"), LinkName).CStr(), "C:\\Dir\\\xD2\xE8\xEA\xF2\xEE\xED.lnk");
    CHECK_TEXT(LinkPathIn(TString("C:\\Dir"), LinkName).CStr(), "C:\\Dir\\\xD2\xE8\xEA\xF2\xEE\xED.lnk");
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "write") == 0) {
        WriteLinks();
        return check::Finish("shortcut links");
    }
    TestRefusals();
    if (argc > 1)
        TestLocations(argv[1]);
    return check::Finish("shortcut");
}
