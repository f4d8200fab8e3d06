// Closing the running application's windows, which both programs ask for before they go on.
#ifndef COMMON_APPLICATION_H
#define COMMON_APPLICATION_H

// Sends WM_CLOSE to each window of the class in turn until none is left. A window that hangs or
// refuses must not hold setup for ever: false when some are still there after ten seconds.
bool CloseWindowsOfClass(const char* className);

#endif
