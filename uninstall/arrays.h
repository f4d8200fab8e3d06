// Growable arrays with bounds-tested access, string lists from the string table, and the pair of
// parallel arrays that lists what the removal could not remove.
#ifndef UNINSTALL_ARRAYS_H
#define UNINSTALL_ARRAYS_H

#include <windows.h>

#include "tstring.h"

// Raised by At for an index outside the array. No caller passes such an index and nothing catches it:
// it ends the program as an unhandled structured exception carrying this record.
struct EArrayIndex {
    const char* Message;
    int Zero;
    int Index;
    int Count;
    int Capacity;
};

const DWORD ArrayIndexExceptionCode = 0xE0415249;  // "ARI" in an application exception code
void RaiseArrayIndex(const EArrayIndex& error);

template <class T>
class TArray {
public:
    TArray() : items(0), count(0), capacity(0), delta(4) {}
    ~TArray() { delete[] items; }

    virtual void RemoveAt(int index)
    {
        if (index < 0 || index >= count)
            return;
        for (int i = index; i + 1 < count; ++i)
            items[i] = items[i + 1];
        --count;
    }

    virtual T& At(int index)
    {
        if (index < 0 || index >= count) {
            EArrayIndex error = {"Недопустимый индекс массива", 0, index, count, capacity};
            RaiseArrayIndex(error);
        }
        return items[index];
    }

    int Add(const T& value)
    {
        if (count >= capacity)
            Resize(capacity + delta);
        items[count] = value;
        return count++;
    }

    void Resize(int newCapacity)
    {
        if (newCapacity <= 0) {
            delete[] items;
            items = 0;
            count = capacity = 0;
            return;
        }
        T* grown = new T[newCapacity]();
        int kept = count < newCapacity ? count : newCapacity;
        for (int i = 0; i < kept; ++i)
            grown[i] = items[i];
        delete[] items;
        items = grown;
        capacity = newCapacity;
        count = kept;
    }

    int Count() const { return count; }
    int Capacity() const { return capacity; }
    int Delta() const { return delta; }
    void SetDelta(int value) { delta = value ? value : 4; }

protected:
    T* items;
    int count;
    int capacity;
    int delta;

private:
    TArray(const TArray&);
    TArray& operator=(const TArray&);
};

class TStringArray : public TArray<TString> {
public:
    // Also empties the slot that was last in use; the removed text goes to `removed` when given.
    void RemoveAt(int index) override { RemoveAt(index, 0); }
    void RemoveAt(int index, TString* removed);
};

// Item names and their error codes, entry i being element i of both.
class TStrIntArray : public TArray<TString>, public TArray<int> {};

// Appends the parts of a string-table entry that holds several NUL-separated texts.
void LoadStringList(TStringArray& list, HINSTANCE module, UINT id);

#endif
