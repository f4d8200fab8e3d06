// String lists and the end of a program that indexed outside an array.
#include "arrays.h"

void RaiseArrayIndex(const EArrayIndex& error)
{
    const ULONG_PTR record[] = {reinterpret_cast<ULONG_PTR>(&error)};
    RaiseException(ArrayIndexExceptionCode, EXCEPTION_NONCONTINUABLE, 1, record);
}

void TStringArray::RemoveAt(int index, TString* removed)
{
    if (index < 0 || index >= count) {
        if (removed)
            removed->Assign("");
        return;
    }
    if (removed)
        *removed = items[index];
    TArray<TString>::RemoveAt(index);
    items[count].Assign("");
}

void LoadStringList(TStringArray& list, HINSTANCE module, UINT id)
{
    char text[4096];
    int length = LoadStringA(module ? module : GetModuleHandleA(0), id, text, sizeof text);
    if (length <= 0)
        return;
    // A list ends with an empty part (two NULs); the text LoadStringA copied always ends with one.
    text[length < static_cast<int>(sizeof text) ? length : sizeof text - 1] = '\0';
    for (const char* part = text; part < text + length && *part; part += lstrlenA(part) + 1)
        list.Add(TString(part));
}
