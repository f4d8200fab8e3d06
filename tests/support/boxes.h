// The programs' message boxes: those of installer code run in-process, recorded and answered OK
// (recorded_boxes.cpp, linked into such test programs), or those of a program under test, expected one
// at a time with exactly this text, and answered.
#ifndef TESTS_SUPPORT_BOXES_H
#define TESTS_SUPPORT_BOXES_H

#include <windows.h>

#include <string>
#include <vector>

#include "texts.h"

// Answers the in-process installer code's message boxes with OK from its creation on, and keeps their
// texts for the test to compare.
class TBoxAnswerer {
public:
    TBoxAnswerer();
    ~TBoxAnswerer();
    // The texts of the boxes answered, in order.
    std::vector<std::string> Stop();
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
