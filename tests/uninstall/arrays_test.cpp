// The uninstaller's arrays: growth by four, indices of Add, the bounds test that ends the program,
// string lists from the string table, and the parallel arrays of what was not removed.
// With "raise" it indexes past the end and lets the program end as it would.
#include <windows.h>

#include "arrays.h"
#include "check.h"
#include "resource.h"

namespace {
LONG WINAPI ReportArrayIndex(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == ArrayIndexExceptionCode && record.NumberParameters == 1) {
        const EArrayIndex& error = *reinterpret_cast<const EArrayIndex*>(record.ExceptionInformation[0]);
        printf("EArrayIndex index %d count %d capacity %d zero %d\n", error.Index, error.Count, error.Capacity,
               error.Zero);
        fflush(stdout);
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

void TestGrowth()
{
    TArray<int> numbers;
    CHECK_EQ(numbers.Capacity(), 0);
    CHECK_EQ(numbers.Delta(), 4);
    for (int i = 0; i < 9; ++i) {
        CHECK_EQ(numbers.Add(i * 10), i);
        CHECK_EQ(numbers.Count(), i + 1);
        CHECK_EQ(numbers.Capacity(), (i / 4 + 1) * 4);
    }
    CHECK_EQ(numbers.At(8), 80);
    numbers.RemoveAt(0);
    CHECK_EQ(numbers.Count(), 8);
    CHECK_EQ(numbers.At(0), 10);
    numbers.RemoveAt(8);
    CHECK_EQ(numbers.Count(), 8);
    numbers.SetDelta(0);
    CHECK_EQ(numbers.Delta(), 4);
    numbers.Resize(3);
    CHECK_EQ(numbers.Count(), 3);
    CHECK_EQ(numbers.At(2), 30);
    numbers.Resize(0);
    CHECK_EQ(numbers.Count(), 0);
    CHECK_EQ(numbers.Capacity(), 0);
}

void TestStrings()
{
    TStringArray files;
    LoadStringList(files, 0, IDS_PRODUCT_FILES);
    CHECK_EQ(files.Count(), 6);
    if (files.Count() == 6) {
        CHECK_TEXT(files.At(0).CStr(), "Tikton.exe");
        CHECK_TEXT(files.At(3).CStr(), "Tikton.gid");
        CHECK_TEXT(files.At(5).CStr(), "Tikton.ftg");
    }
    LoadStringList(files, 0, IDS_HELP_VALUES);
    CHECK_EQ(files.Count(), 7);
    CHECK_TEXT(files.At(6).CStr(), "Tikton.hlp");
    LoadStringList(files, 0, 9999);
    CHECK_EQ(files.Count(), 7);

    // Copies are deep; removing moves the rest down and empties the vacated slot.
    TString removed;
    files.RemoveAt(0, &removed);
    CHECK_TEXT(removed.CStr(), "Tikton.exe");
    CHECK_EQ(files.Count(), 6);
    CHECK_TEXT(files.At(0).CStr(), "Tikton.hlp");
    files.RemoveAt(10, &removed);
    CHECK(removed.IsEmpty());
    files.Resize(8);
    CHECK_EQ(files.Count(), 6);
    CHECK_TEXT(files.At(5).CStr(), "Tikton.hlp");

    TStrIntArray left;
    static_cast<TArray<TString>&>(left).Add(TString("Tikton.exe"));
    static_cast<TArray<int>&>(left).Add(32);
    CHECK_EQ(static_cast<TArray<TString>&>(left).Count(), static_cast<TArray<int>&>(left).Count());
    CHECK_EQ(static_cast<TArray<int>&>(left).At(0), 32);
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "raise") == 0) {
        SetUnhandledExceptionFilter(ReportArrayIndex);
        TArray<int> numbers;
        numbers.Add(1);
        numbers.Add(2);
        numbers.At(1);
        printf("index 1 read\n");
        fflush(stdout);
        numbers.At(2);
        printf("index 2 read\n");
        return 0;
    }
    TestGrowth();
    TestStrings();
    return check::Finish("arrays");
}
