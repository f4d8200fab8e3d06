// Folder paths against Wine's real file system: normalisation, folder chains created and removed.
#include <windows.h>

#include "check.h"
#include "paths.h"

namespace {
void MakeFolder(const char* path) { CreateDirectoryA(path, 0); }

void MakeFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    CHECK_CASE(file != INVALID_HANDLE_VALUE, path);
    CloseHandle(file);
}

void TestBackslashes()
{
    struct {
        const char* in;
        const char* stripped;
        const char* ensured;
    } const cases[] = {
        {"C:\\A", "C:\\A", "C:\\A\\"},
        {"C:\\A\\", "C:\\A", "C:\\A\\"},
        {"C:\\A\\\\", "C:\\A\\", "C:\\A\\\\"},
        {"C:\\", "C:", "C:\\"},
        {"", "", "\\"},
    };
    for (const auto& c : cases) {
        TString s(c.in);
        StripTrailingBackslash(s);
        CHECK_TEXT(s.CStr(), c.stripped);
        TString e(c.in);
        EnsureTrailingBackslash(e);
        CHECK_TEXT(e.CStr(), c.ensured);
    }
}

void TestExistence()
{
    MakeFolder("C:\\PT");
    MakeFile("C:\\PT\\file.txt");
    CHECK(IsDirectory("C:\\PT"));
    CHECK(!IsFile("C:\\PT"));
    CHECK(IsFile("C:\\PT\\file.txt"));
    CHECK(!IsDirectory("C:\\PT\\file.txt"));
    CHECK(!IsDirectory("C:\\PT\\missing"));
    CHECK(!IsFile("C:\\PT\\missing"));
}

void TestCreateFolderPath()
{
    MakeFolder("C:\\PT\\exists");
    MakeFolder("C:\\PT\\exists\\full");
    MakeFile("C:\\PT\\exists\\afile");
    struct {
        const char* path;
        const char* existing;
        const char* created;  // a folder that must exist afterwards, if any
    } const cases[] = {
        {"C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED", "C:\\Program Files\\", "C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED"},
        {"C:\\PT\\exists\\full", "C:\\PT\\exists\\full", 0},
        {"C:\\PT\\exists\\A\\B\\C", "C:\\PT\\exists\\", "C:\\PT\\exists\\A\\B\\C"},
        {"C:\\PT\\exists\\Trailing\\", "C:\\PT\\exists\\", "C:\\PT\\exists\\Trailing"},
        {"C:\\PT\\new\\level", "C:\\PT\\", "C:\\PT\\new\\level"},
        {"C:\\", "C:\\", 0},
        {"Q:\\A\\B", "", 0},
        {"C:\\PT\\exists\\afile\\sub", "", 0},
        {"C:\\PT\\exists\\bad|name\\sub", "", 0},
    };
    for (const auto& c : cases) {
        TString existing("left over");
        CreateFolderPath(existing, TString(c.path));
        CHECK_TEXT(existing.CStr(), c.existing);
        if (c.created)
            CHECK_CASE(IsDirectory(c.created), c.created);
    }
    CHECK(!IsDirectory("Q:\\A"));
    CHECK(IsFile("C:\\PT\\exists\\afile"));
}

void TestRemoveFolderChain()
{
    const char* const folders[] = {
        "C:\\PT\\r1", "C:\\PT\\r1\\A", "C:\\PT\\r1\\A\\B", "C:\\PT\\r1\\A\\B\\C",
        "C:\\PT\\r2", "C:\\PT\\r2\\A", "C:\\PT\\r2\\A\\B", "C:\\PT\\r2\\A\\B\\C",
        "C:\\PT\\r3",
        "C:\\PT\\r4", "C:\\PT\\r4\\x",
        "C:\\PT\\r5", "C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED", "C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED\\sub",
        "C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED\\sub\\deep",
        "C:\\PT\\r6", "C:\\PT\\r6\\a",
        "C:\\PT\\r8", "C:\\PT\\r8\\Work", "C:\\PT\\r8\\Work\\\xD2\xE8\xEA\xF2\xEE\xED",
        "C:\\PT\\r9x", "C:\\PT\\r9x\\a",
        "C:\\PT\\r10", "C:\\PT\\r10\\made",
        "C:\\PT\\r11", "C:\\PT\\r11\\made",
    };
    for (const char* folder : folders)
        MakeFolder(folder);
    MakeFile("C:\\PT\\r2\\A\\B\\user.txt");
    MakeFile("C:\\PT\\r5\\keep.txt");
    MakeFile("C:\\PT\\r6\\keep.txt");

    struct {
        const char* path;
        const char* stop;
        const char* notRemoved;
        const char* gone;   // deepest folder of the chain that must be gone, if any
        const char* stays;  // a folder that must still exist
    } const cases[] = {
        {"C:\\PT\\r1\\A\\B\\C\\", "C:\\PT\\r1\\", "", "C:\\PT\\r1\\A", "C:\\PT\\r1"},
        {"C:\\PT\\r2\\A\\B\\C", "C:\\PT\\r2", "C:\\PT\\r2\\A\\B", "C:\\PT\\r2\\A\\B\\C", "C:\\PT\\r2\\A\\B"},
        {"C:\\PT\\r3", "C:\\PT\\r3\\", "", 0, "C:\\PT\\r3"},
        {"c:\\pt\\r4\\x", "C:\\PT\\R4", "", "C:\\PT\\r4\\x", "C:\\PT\\r4"},
        // Cyrillic letters must match exactly: the differently cased stop folder is no ancestor, so only
        // the installation folder goes.
        {"C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED\\sub\\deep", "C:\\PT\\r5\\\xF2\xE8\xEA\xF2\xEE\xED", "",
         "C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED\\sub\\deep", "C:\\PT\\r5\\\xD2\xE8\xEA\xF2\xEE\xED\\sub"},
        // With no stop folder known, not even the empty folder itself goes.
        {"C:\\PT\\r6\\a", "", "C:\\PT\\r6\\a", 0, "C:\\PT\\r6\\a"},
        // A record out of step with the disk: a stop folder elsewhere, or one whose name only begins the
        // installation folder's parent, is no ancestor; the user's empty folders above stay.
        {"C:\\PT\\r8\\Work\\\xD2\xE8\xEA\xF2\xEE\xED", "D:\\Program Files\\", "",
         "C:\\PT\\r8\\Work\\\xD2\xE8\xEA\xF2\xEE\xED", "C:\\PT\\r8\\Work"},
        {"C:\\PT\\r9x\\a", "C:\\PT\\r9", "", "C:\\PT\\r9x\\a", "C:\\PT\\r9x"},
        // A folder already gone counts as removed: the climb goes on to the parents.
        {"C:\\PT\\r10\\made\\gone\\", "C:\\PT\\r10\\", "", "C:\\PT\\r10\\made", "C:\\PT\\r10"},
        // Its parent gone too ("path not found" rather than "file not found").
        {"C:\\PT\\r11\\made\\gone\\deeper", "C:\\PT\\r11", "", "C:\\PT\\r11\\made", "C:\\PT\\r11"},
    };
    for (const auto& c : cases) {
        TString path(c.path), stop(c.stop), notRemoved("left over");
        RemoveFolderChain(path, stop, &notRemoved);
        CHECK_TEXT(notRemoved.CStr(), c.notRemoved);
        CHECK_CASE(path.Last() != '\\' && stop.Last() != '\\', c.path);
        if (c.gone)
            CHECK_CASE(!IsDirectory(c.gone), c.gone);
        CHECK_CASE(IsDirectory(c.stays), c.stays);
    }
    CHECK(IsFile("C:\\PT\\r2\\A\\B\\user.txt"));
    CHECK(IsFile("C:\\PT\\r5\\keep.txt"));

    // Without an output the chain is removed just the same.
    MakeFolder("C:\\PT\\r7");
    MakeFolder("C:\\PT\\r7\\a");
    TString path("C:\\PT\\r7\\a"), stop("C:\\PT\\r7\\");
    RemoveFolderChain(path, stop);
    CHECK(!IsDirectory("C:\\PT\\r7\\a"));
    CHECK(IsDirectory("C:\\PT\\r7"));
}

void TestSamePath()
{
    struct {
        const char* a;
        const char* b;
        bool same;
    } const cases[] = {
        {"c:\\program files", "C:\\Program Files", true},
        {"C:\\\xD2\xE8\xEA\xF2\xEE\xED", "C:\\\xF2\xE8\xEA\xF2\xEE\xED", false},
        {"C:\\A", "C:\\AB", false},
        {"", "", true},
        {"C:\\A\\", "C:\\A", false},
    };
    for (const auto& c : cases)
        CHECK_CASE(SamePath(c.a, c.b) == c.same, c.a);
}
}

int main()
{
    TestBackslashes();
    TestExistence();
    TestCreateFolderPath();
    TestRemoveFolderChain();
    TestSamePath();
    return check::Finish("paths");
}
