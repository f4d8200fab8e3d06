// Steps through either program's wizard, each checked: the page that comes is the one expected.
#ifndef TESTS_SUPPORT_STEPS_H
#define TESTS_SUPPORT_STEPS_H

#include <windows.h>

// Presses Next and expects the page with that caption; that page.
HWND Next(HWND sheet, const char* caption);

// Waits for the welcome page, then goes on to the page with that caption; the sheet, or null when no
// welcome page came.
HWND PastWelcome(const char* caption);

#endif
