// The programs' message boxes: answered with OK on a thread while code under test runs on this one,
// or expected one at a time with exactly this text, and answered.
#ifndef TESTS_SUPPORT_BOXES_H
#define TESTS_SUPPORT_BOXES_H

#include <windows.h>

#include <string>
#include <vector>

#include "texts.h"

// Answers the installer's message boxes with OK and keeps their texts for the test to compare.
class TBoxAnswerer {
public:
    TBoxAnswerer();
    ~TBoxAnswerer();
    // Stops answering and gives the texts of the boxes answered, in order.
    std::vector<std::string> Stop();

private:
    static DWORD WINAPI Run(void* self);
    std::vector<std::string> texts;
    volatile bool stopping;
    HANDLE thread;
};

// Expects a message box with that caption and exactly this text, and answers it; a failure names `where`.
void ExpectBox(const char* where, const char* caption, const std::string& text, int answer);

// The installer's box, and the uninstaller's.
#define EXPECT_BOX(text, answer) ExpectBox(__FILE__ ":" CHECK_LINE_TEXT, SetupCaption, text, answer)
#define EXPECT_UNINSTALL_BOX(text, answer) ExpectBox(__FILE__ ":" CHECK_LINE_TEXT, UninstallCaption, text, answer)
#define CHECK_LINE_TEXT CHECK_STRINGIFY(__LINE__)
#define CHECK_STRINGIFY(x) CHECK_STRINGIFY2(x)
#define CHECK_STRINGIFY2(x) #x

#endif
