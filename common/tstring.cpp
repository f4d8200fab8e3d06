// TString: every change allocates a buffer of the new exact size; empty means no buffer at all.
#include "tstring.h"

#include <stdlib.h>
#include <string.h>

#include "memory.h"

namespace {
const char EmptyText[] = "";

// Out of memory is not a state either program can carry on from with a half-made text.
char* AllocateText(size_t length)
{
    char* p = static_cast<char*>(malloc(length + 1));
    if (!p)
        OutOfMemory();
    return p;
}
}

TString::TString() : buffer(0) {}

TString::TString(const char* text) : buffer(0) { Assign(text); }

TString::TString(const TString& other) : buffer(0) { Assign(other.buffer); }

TString::~TString() { free(buffer); }

TString& TString::operator=(const TString& other)
{
    if (this != &other)
        Assign(other.buffer);
    return *this;
}

void TString::Replace(char* newBuffer)
{
    free(buffer);
    buffer = newBuffer;
}

TString& TString::Assign(const char* text)
{
    return AssignPart(text, text ? strlen(text) : 0);
}

TString& TString::AssignPart(const char* text, size_t count)
{
    size_t length = text ? strnlen(text, count) : 0;
    char* copy = 0;
    if (length) {
        copy = AllocateText(length);
        memcpy(copy, text, length);
        copy[length] = '\0';
    }
    Replace(copy);
    return *this;
}

TString& TString::Append(const char* text)
{
    size_t added = text ? strlen(text) : 0;
    if (!added)
        return *this;
    size_t old = Length();
    char* joined = AllocateText(old + added);
    memcpy(joined, CStr(), old);
    memcpy(joined + old, text, added + 1);
    Replace(joined);
    return *this;
}

TString TString::Concat(const char* text) const
{
    TString joined(*this);
    joined.Append(text);
    return joined;
}

TString& TString::Load(HINSTANCE module, UINT id)
{
    char text[1024];
    int length = LoadStringA(module, id, text, sizeof text);
    if (length <= 0)
        return AssignPart(0, 0);
    return AssignPart(text, static_cast<size_t>(length));
}

void TString::Truncate(size_t length)
{
    if (length < Length())
        AssignPart(buffer, length);
}

const char* TString::CStr() const { return buffer ? buffer : EmptyText; }

size_t TString::Length() const { return buffer ? strlen(buffer) : 0; }

char TString::Last() const { return buffer ? buffer[strlen(buffer) - 1] : '\0'; }

TString SystemErrorText(DWORD code)
{
    TString text;
    char* systemText = 0;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, 0, code,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&systemText), 0, 0);
    if (length && systemText)
        text.AssignPart(systemText, length);
    if (systemText)
        LocalFree(systemText);
    return text;
}
