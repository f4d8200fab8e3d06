// Registry access against Wine's real registry: type rules, length limits, empty texts and tree deletion.
#include <windows.h>

#include <string>

#include "check.h"
#include "machine.h"
#include "record.h"
#include "registry.h"

namespace {
const char TestKey[] = "Software\\RegistryTest";

HKEY TestKeyHandle()
{
    HKEY key = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0);
    return key;
}

void SetRaw(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

void TestTextReads()
{
    HKEY key = TestKeyHandle();
    const std::string long1023(1023, 'a'), long1024(1024, 'b'), long5000(5000, 'c');
    const DWORD number = 7;
    SetRaw(key, "empty", REG_SZ, "", 1);
    SetRaw(key, "plain", REG_SZ, "abc", 4);
    SetRaw(key, "cyrillic", REG_SZ, "\xD2\xE8\xEA\xF2\xEE\xED", 7);
    SetRaw(key, "expand", REG_EXPAND_SZ, "abc", 4);
    SetRaw(key, "multi", REG_MULTI_SZ, "abc\0def\0", 9);
    SetRaw(key, "binary", REG_BINARY, "abc", 4);
    SetRaw(key, "dword", REG_DWORD, &number, 4);
    SetRaw(key, "fits", REG_SZ, long1023.c_str(), 1024);
    SetRaw(key, "toolong", REG_SZ, long1024.c_str(), 1025);
    SetRaw(key, "unterminated", REG_SZ, long1024.c_str(), 1024);
    SetRaw(key, "huge", REG_SZ, long5000.c_str(), 5001);
    SetRaw(key, "embedded", REG_SZ, "ab\0cd", 6);

    struct {
        const char* name;
        bool read;
        std::string text;
    } const cases[] = {
        {"empty", false, ""},
        {"plain", true, "abc"},
        {"cyrillic", true, "\xD2\xE8\xEA\xF2\xEE\xED"},
        {"expand", false, ""},
        {"multi", false, ""},
        {"binary", false, ""},
        {"dword", false, ""},
        {"fits", true, long1023},
        {"toolong", false, ""},
        {"unterminated", false, ""},
        {"huge", false, ""},
        {"embedded", true, "ab"},
        {"missing", false, ""},
    };
    for (const auto& c : cases) {
        TString out("left over");
        CHECK_CASE(ReadRegString(out, key, c.name) == c.read, c.name);
        CHECK_CASE(out.CStr() == c.text, c.name);
        CHECK_CASE(out.IsEmpty() == !c.read, c.name);

        TString at("left over");
        CHECK_CASE(ReadRegStringAt(at, HKEY_CURRENT_USER, TestKey, c.name) == c.read, c.name);
        CHECK_CASE(at.CStr() == c.text, c.name);
    }
    TString out("left over");
    CHECK(!ReadRegStringAt(out, HKEY_CURRENT_USER, "Software\\RegistryTest\\NoSuchKey", "plain"));
    CHECK(out.IsEmpty());
    RegCloseKey(key);
}

void TestNumberReads()
{
    HKEY key = TestKeyHandle();
    const DWORD version = 0x340;
    SetRaw(key, "number", REG_DWORD, &version, 4);
    SetRaw(key, "numberAsText", REG_SZ, "832", 4);
    SetRaw(key, "numberAsBinary", REG_BINARY, &version, 4);
    struct {
        const char* name;
        bool read;
    } const cases[] = {{"number", true}, {"numberAsText", false}, {"numberAsBinary", false}, {"nothing", false}};
    for (const auto& c : cases) {
        DWORD out = 0;
        CHECK_CASE(ReadRegDword(key, c.name, out) == c.read, c.name);
        if (c.read)
            CHECK_EQ(out, 0x340);
    }
    RegCloseKey(key);
}

void TestWrites()
{
    HKEY key = OpenRegKey(HKEY_CURRENT_USER, "Software\\RegistryTest\\Writes", true, false);
    CHECK(key != 0);
    CHECK(WriteRegString(TString(), key, "empty"));
    DWORD type = 0, size = 0;
    char data[8];
    size = sizeof data;
    CHECK(RegQueryValueExA(key, "empty", 0, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS);
    CHECK_EQ(type, REG_SZ);
    CHECK_EQ(size, 1);

    CHECK(WriteRegString(TString("text"), key, 0));
    TString out;
    CHECK(ReadRegString(out, key, 0));
    CHECK_TEXT(out.CStr(), "text");

    CHECK(WriteRegDword(key, "number", 0x340));
    DWORD number = 0;
    CHECK(ReadRegDword(key, "number", number));
    CHECK_EQ(number, 0x340);
    RegCloseKey(key);

    // A read-only key refuses writes; a missing key is not created without being asked.
    HKEY readOnly = OpenRegKey(HKEY_CURRENT_USER, "Software\\RegistryTest\\Writes", false, true);
    CHECK(readOnly != 0);
    CHECK(!WriteRegString(TString("x"), readOnly, "refused"));
    CHECK(!WriteRegDword(readOnly, "refused", 1));
    RegCloseKey(readOnly);
    CHECK(OpenRegKey(HKEY_CURRENT_USER, "Software\\RegistryTest\\Absent", false, false) == 0);
    CHECK(!WriteRegString(TString("x"), 0, "nokey"));

    CHECK(WriteRegStringAt(TString("deep"), HKEY_CURRENT_USER, "Software\\RegistryTest\\New\\Deeper", "v"));
    CHECK(ReadRegStringAt(out, HKEY_CURRENT_USER, "Software\\RegistryTest\\New\\Deeper", "v"));
    CHECK_TEXT(out.CStr(), "deep");
}

void TestCyrillicProductKey()
{
    // The product key path and its values keep their code-page-1251 bytes through the registry.
    const TString folder("C:\\Program Files\\\xD2\xE8\xEA\xF2\xEE\xED\\");
    CHECK(WriteRegStringAt(folder, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue));
    TString out;
    CHECK(ReadRegStringAt(out, HKEY_LOCAL_MACHINE, ProductKey, InstallDirValue));
    CHECK_TEXT(out.CStr(), folder.CStr());
    HKEY vendor = 0;
    CHECK(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vantorel", 0, KEY_READ, &vendor) == ERROR_SUCCESS);
    char name[64] = "";
    DWORD size = sizeof name;
    CHECK(RegEnumKeyExA(vendor, 0, name, &size, 0, 0, 0, 0) == ERROR_SUCCESS);
    CHECK_TEXT(name, "\xD2\xE8\xEA\xF2\xEE\xED");
    RegCloseKey(vendor);
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
}

void TestDeleteTree()
{
    const char* const keys[] = {
        "Software\\RegistryTest\\Tree\\A\\A1\\A11", "Software\\RegistryTest\\Tree\\A\\A2",
        "Software\\RegistryTest\\Tree\\B\\B1",      "Software\\RegistryTest\\Tree\\C",
        "Software\\RegistryTest\\Sibling",
    };
    for (const char* path : keys)
        CHECK(WriteRegStringAt(TString("v"), HKEY_CURRENT_USER, path, "value"));
    HKEY parent = OpenRegKey(HKEY_CURRENT_USER, TestKey, false, false);
    DeleteRegTree(parent, "Tree");
    CHECK(!KeyExists("Software\\RegistryTest\\Tree", HKEY_CURRENT_USER));
    CHECK(KeyExists("Software\\RegistryTest\\Sibling", HKEY_CURRENT_USER));
    DeleteRegTree(parent, "Tree");
    DeleteRegTree(parent, "NeverThere");
    CHECK(KeyExists("Software\\RegistryTest\\Sibling", HKEY_CURRENT_USER));
    RegCloseKey(parent);
}
}

int main()
{
    TestTextReads();
    TestNumberReads();
    TestWrites();
    TestCyrillicProductKey();
    TestDeleteTree();
    return check::Finish("registry");
}
