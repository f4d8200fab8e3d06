// Closing the running application's windows, which both programs ask for before they go on.
#ifndef COMMON_APPLICATION_H
#define COMMON_APPLICATION_H

#include <windows.h>

// When a window of the class is found, asks the question (text and caption entries, no owner, Yes and
// No) and on Yes closes every such window. False when the user declines, or when a window that hangs
// or refuses is still there after ten seconds: it must not hold the program for ever. Unattended: false
// whenever such a window is there.
bool CloseRunningApplication(const char* className, UINT questionId, UINT captionId);

#endif
