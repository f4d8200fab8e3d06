// The message boxes of both programs: text and caption are entries of the program's own string table.
#ifndef COMMON_MESSAGE_H
#define COMMON_MESSAGE_H

#include <windows.h>

// Shows the text entry, followed by `appended` when given, under the caption entry; returns exactly
// what MessageBoxA returned. A missing entry shows as "". Unattended, nothing is shown and the answer is 0.
int MessageBoxByIds(HWND owner, UINT textId, UINT captionId, UINT flags, const char* appended = 0);

#endif
