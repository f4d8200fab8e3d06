// TString, string-table loading and system error texts, run against the uninstaller's real string table.
#include <windows.h>

#include "check.h"
#include "record.h"
#include "resource.h"
#include "tstring.h"

namespace {
void TestValueSemantics()
{
    TString s("abc");
    s.Assign("");
    CHECK(s.IsEmpty());
    CHECK_TEXT(s.CStr(), "");
    CHECK_EQ(s.Length(), 0);
    CHECK(s.CStr() != 0);

    TString empty;
    TString copy(empty);
    CHECK(copy.IsEmpty());

    TString left("C:\\A");
    TString joined = left.Concat("\\B");
    CHECK_TEXT(joined.CStr(), "C:\\A\\B");
    CHECK_TEXT(left.CStr(), "C:\\A");

    TString grown;
    grown.Append("");
    CHECK(grown.IsEmpty());
    grown.Append("x");
    CHECK_TEXT(grown.CStr(), "x");
    grown.Append("");
    CHECK_TEXT(grown.CStr(), "x");

    // Deep copies: changing one leaves the other as it was.
    TString original("one");
    TString other(original);
    other.Append("two");
    CHECK_TEXT(original.CStr(), "one");
    CHECK(original.CStr() != other.CStr());
    other = original;
    CHECK_TEXT(other.CStr(), "one");

    // Texts taken from the string's own buffer.
    TString self("ab");
    self.Append(self.CStr());
    CHECK_TEXT(self.CStr(), "abab");
    self.Assign(self.CStr() + 2);
    CHECK_TEXT(self.CStr(), "ab");
    self.Truncate(1);
    CHECK_TEXT(self.CStr(), "a");
    self.Truncate(5);
    CHECK_TEXT(self.CStr(), "a");
    self.Truncate(0);
    CHECK(self.IsEmpty());
}

void TestLoad()
{
    HINSTANCE module = GetModuleHandleA(0);
    TString s("previous text");
    s.Load(module, IDS_PRODUCT_FILES);
    CHECK_TEXT(s.CStr(), "Tikton.exe");
    s.Load(module, IDS_HELP_VALUES);
    CHECK_TEXT(s.CStr(), "Tikton.hlp");
    // The Cyrillic product key comes out of the table in code page 1251, as setup writes it.
    s.Load(module, IDS_PRODUCT_KEY);
    CHECK_TEXT(s.CStr(), ProductKey);
    s.Load(module, IDS_UNINSTALL_CAPTION);
    CHECK_TEXT(s.CStr(), "\xD3\xE4\xE0\xEB\xE5\xED\xE8\xE5 \xD2\xE8\xEA\xF2\xEE\xED\xE0");
    s.Load(module, 9999);
    CHECK(s.IsEmpty());
}

void TestSystemErrorText()
{
    TString notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
    CHECK(notFound.Length() > 2);
    CHECK_TEXT(notFound.CStr() + notFound.Length() - 2, "\r\n");
    TString other = SystemErrorText(ERROR_ACCESS_DENIED);
    CHECK(strcmp(notFound.CStr(), other.CStr()) != 0);
    CHECK(SystemErrorText(0x2FFFFFFF).IsEmpty());
}
}

int main()
{
    TestValueSemantics();
    TestLoad();
    TestSystemErrorText();
    return check::Finish("tstring");
}
