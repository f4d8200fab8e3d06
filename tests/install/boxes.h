// Answers the installer's message boxes with OK while code under test runs on this thread, and keeps
// their texts for the test to compare.
#ifndef TESTS_INSTALL_BOXES_H
#define TESTS_INSTALL_BOXES_H

#include <windows.h>

#include <string>
#include <vector>

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

#endif
