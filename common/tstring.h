// TString: the exactly sized, owned 8-bit text of both programs, and the system's error texts.
#ifndef COMMON_TSTRING_H
#define COMMON_TSTRING_H

#include <windows.h>

class TString {
public:
    TString();
    TString(const char* text);
    TString(const TString& other);
    ~TString();
    TString& operator=(const TString& other);

    // Empty text leaves no buffer; a text that points into this string's own buffer is allowed.
    TString& Assign(const char* text);
    TString& Append(const char* text);
    TString Concat(const char* text) const;
    // Reads a string-table entry (at most 1023 bytes); a missing entry empties the string.
    TString& Load(HINSTANCE module, UINT id);
    // Replaces the text with at most `count` bytes of `text`, stopping at a NUL.
    TString& AssignPart(const char* text, size_t count);
    // Drops the text from `length` on; a length at or past the end changes nothing.
    void Truncate(size_t length);

    const char* CStr() const;
    size_t Length() const;
    bool IsEmpty() const { return buffer == 0; }
    char Last() const;

private:
    char* buffer;
    void Replace(char* newBuffer);
};

// The system's description of a Win32 error code, exactly as given (line break included);
// empty when the system has no text for it.
TString SystemErrorText(DWORD code);

#endif
