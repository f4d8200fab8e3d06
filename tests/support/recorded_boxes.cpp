// The installer's message boxes for test programs that run its code in-process: this MessageBoxByIds
// takes the program's place at link time, keeps the text it would show and answers OK at once, so no
// second thread works with windows while the code under test opens its own (under load Wine can lose a
// wake-up between two such threads, and the test then hangs).
#include "boxes.h"

#include "message.h"
#include "tstring.h"

namespace {
std::vector<std::string> Shown;
}

int MessageBoxByIds(HWND, UINT textId, UINT, UINT, const char* appended)
{
    TString text;
    text.Load(GetModuleHandleA(0), textId);
    if (appended)
        text.Append(appended);
    Shown.push_back(text.CStr());
    return IDOK;
}

TBoxAnswerer::TBoxAnswerer() { Shown.clear(); }

TBoxAnswerer::~TBoxAnswerer() {}

std::vector<std::string> TBoxAnswerer::Stop() { return Shown; }
