// Message boxes whose text and caption are entries of the program's own string table.
#ifndef COMMON_MESSAGE_H
#define COMMON_MESSAGE_H

#include <windows.h>

// Both return exactly what MessageBoxA returned; a missing entry shows as "".
int MessageBoxById(HWND owner, UINT textId, const char* caption, UINT flags);
int MessageBoxByIds(HWND owner, UINT textId, UINT captionId, UINT flags);

#endif
